// SPDX-License-Identifier: MIT
// The main window's tool bar texts in German and English: button hints and label captions.
#include "dialogs/MainTexts.h"

namespace {

// A hint names the button's key after its text.
QString withKey(const QString& hint, const QString& key) {
    return hint + QStringLiteral(" (") + key + QLatin1Char(')');
}

} // namespace

MainWindowTexts mainTexts(bool german) {
    if (german)
        return {
            withKey(QStringLiteral("Ich möchte neu beginnen."), QStringLiteral("F2")),
            withKey(QStringLiteral("Wer sind die Besten?"), QStringLiteral("F3")),
            withKey(QStringLiteral("Ich brauch eine kurze Pause."), QStringLiteral("P")),
            withKey(QStringLiteral("Ich möchte eine ander Spielfeldgröße."),
                    QStringLiteral("F4, Umschalt+F4")),
            withKey(QStringLiteral("Worum geht's da eigentlich?"), QStringLiteral("F1")),
            withKey(QStringLiteral("Ich möchte die Einstellungen ändern."), QStringLiteral("F5")),
            withKey(QStringLiteral("Ich hab genug!"), QStringLiteral("Esc")),
            withKey(QStringLiteral("Wer hat diese Spiele nur verbrochen?"),
                    QStringLiteral("Strg+I")),
            QStringLiteral("Zeit:"),
            QStringLiteral("Größe:"),
        };
    return {
        withKey(QStringLiteral("I want to start again."), QStringLiteral("F2")),
        withKey(QStringLiteral("Who are the best?"), QStringLiteral("F3")),
        withKey(QStringLiteral("I need a break."), QStringLiteral("P")),
        withKey(QStringLiteral("I want another game size."), QStringLiteral("F4, Shift+F4")),
        withKey(QStringLiteral("What's to do here?"), QStringLiteral("F1")),
        withKey(QStringLiteral(" I want to change the options."), QStringLiteral("F5")),
        withKey(QStringLiteral("I have enough!"), QStringLiteral("Esc")),
        withKey(QStringLiteral("Who did these TALLOW GAME?"), QStringLiteral("Ctrl+I")),
        QStringLiteral("Time:"),
        QStringLiteral("Size:"),
    };
}
