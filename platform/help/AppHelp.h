// SPDX-License-Identifier: MIT
// The application's help dispatcher: every help request of the program passes through one handler.
#pragma once

#include <cstdint>
#include <functional>

// Help commands, numbered as the classic help API numbers them.
enum : int {
    HELP_CONTEXT = 1,
    HELP_QUIT = 2,
    HELP_INDEX = 3,
    HELP_CONTENTS = 3,
    HELP_HELPONHELP = 4,
    HELP_SETINDEX = 5,
    HELP_SETCONTENTS = 5,
    HELP_CONTEXTPOPUP = 8,
    HELP_FORCEFILE = 9,
    HELP_CONTEXTMENU = 10,
    HELP_FINDER = 11,
    HELP_WM_HELP = 12,
    HELP_SETPOPUP_POS = 13,
    HELP_KEY = 257,
    HELP_COMMAND = 258,
    HELP_PARTIALKEY = 261,
    HELP_MULTIKEY = 513,
    HELP_SETWINPOS = 515,
};

// A help handler gets the command and its data; it clears callHelp when it has dealt with the
// request, otherwise the application's own processing runs (here: none, as no help file is
// registered with the application itself).
using HelpHandler = std::function<bool(int command, intptr_t data, bool& callHelp)>;

// Installs a handler (an empty one removes it) and returns the one it replaces.
HelpHandler setAppHelpHandler(HelpHandler handler);
const HelpHandler& appHelpHandler();

// Hands a help request to the installed handler; false when nobody handled it.
bool appHelpCommand(int command, intptr_t data);
// The rules file's topics: the section whose id is the number.
enum class HelpTopic : int { RulesGerman = 1, RulesEnglish = 2 };

// Help at a context number: appHelpCommand(HELP_CONTEXT, context).
bool appHelpContext(int context);
inline bool appHelpContext(HelpTopic topic) {
    return appHelpContext(static_cast<int>(topic));
}
