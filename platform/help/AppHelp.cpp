// SPDX-License-Identifier: MIT
// The application's help dispatcher.
#include "platform/help/AppHelp.h"

#include <utility>

namespace {
HelpHandler helpHandler;
}

HelpHandler setAppHelpHandler(HelpHandler handler) {
    return std::exchange(helpHandler, std::move(handler));
}

const HelpHandler& appHelpHandler() {
    return helpHandler;
}

bool appHelpCommand(int command, intptr_t data) {
    bool callHelp = true;
    bool result = false;
    if (helpHandler) {
        // A copy: the handler may replace itself while it runs.
        const HelpHandler handler = helpHandler;
        result = handler(command, data, callHelp);
    }
    // callHelp still set means the application should process the request itself; it has no help
    // file of its own, so nothing more happens.
    return result;
}

bool appHelpContext(int context) {
    return appHelpCommand(HELP_CONTEXT, context);
}
