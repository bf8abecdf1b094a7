// The application's help dispatcher.
#include "AppHelp.h"

#include <utility>

namespace {
HelpHandler Handler;
}

HelpHandler SetAppHelpHandler(HelpHandler handler) {
    return std::exchange(Handler, std::move(handler));
}

const HelpHandler& AppHelpHandler() {
    return Handler;
}

bool AppHelpCommand(int command, intptr_t data) {
    bool callHelp = true;
    bool result = false;
    if (Handler) {
        // A copy: the handler may replace itself while it runs.
        const HelpHandler handler = Handler;
        result = handler(command, data, callHelp);
    }
    // callHelp still set means the application should process the request itself; it has no help
    // file of its own, so nothing more happens.
    return result;
}

bool AppHelpContext(int context) {
    return AppHelpCommand(HELP_CONTEXT, context);
}
