// SPDX-License-Identifier: MIT
// The texts and button modes of the message dialog. "\r" starts a new line in the label.
#include "dialogs/Messages.h"

DialogMessage messageText(int number) {
    switch (number) {
    case 1:
        return {1, QStringLiteral("Hurra, geschafft!"), QStringLiteral("Hurrah, you did it!")};
    case 2:
        return {2, QStringLiteral("Willst Du die Stufe wirklich aufgeben?"),
                QStringLiteral("Do you really want to give up the level?")};
    case 3:
        return {2, QStringLiteral("Willst Du wirklich schon aufhören?"),
                QStringLiteral("Do you really want to go?")};
    case 4:
        return {2, QStringLiteral("Willst Du das Spiel wirklich aufgeben?"),
                QStringLiteral("Do you really want to give up the game?")};
    case 5:
        return {1, QStringLiteral("Du warst leider zu langsam!"),
                QStringLiteral("Sorry, you weren't quick enough!")};
    case 6:
        return {1, QStringLiteral("Gratulation, Du hast alle Stufen gelöst."),
                QStringLiteral("Congratulation, you solved all levels.")};
    case 7:
        return {1, QStringLiteral("Das Spiel ist leider aus."),
                QStringLiteral("Sorry, game over!")};
    case 8:
        return {1, QStringLiteral("Auf zur nächsten Stufe!"),
                QStringLiteral("The next level is waiting!")};
    case 9:
        return {1, QStringLiteral("Du hast leider verloren!"),
                QStringLiteral("Sorry, that was it!")};
    case 12:
        return {1, QStringLiteral("Spiel angehalten.\rWeitermachen?"),
                QStringLiteral("Game paused.\rContinue?")};
    case 13:
        return {2, QStringLiteral("Leider nein!\rStufe wiederholen?"),
                QStringLiteral("That was it!\rRepeat level?")};
    case 14:
        return {2, QStringLiteral("Hurra, geschafft!\rMit der nächste Stufe weitermachen?"),
                QStringLiteral("Hurrah, you made it!\rContinue with next level?")};
    default:
        return {};
    }
}
