// The main window's tool bar texts in German and English: button hints and label captions.
#include "MainTexts.h"

TMainTexts MainTexts(bool german) {
    if (german)
        return {
            QStringLiteral("Ich möchte neu beginnen."),
            QStringLiteral("Wer sind die Besten?"),
            QStringLiteral("Ich brauch eine kurze Pause."),
            QStringLiteral("Ich möchte eine ander Spielfeldgröße."),
            QStringLiteral("Worum geht's da eigentlich?"),
            QStringLiteral("Ich möchte die Einstellungen ändern."),
            QStringLiteral("Ich hab genug!"),
            QStringLiteral("Wer hat diese Spiele nur verbrochen?"),
            QStringLiteral("Zeit:"),
            QStringLiteral("Größe:"),
        };
    return {
        QStringLiteral("I want to start again."),
        QStringLiteral("Who are the best?"),
        QStringLiteral("I need a break."),
        QStringLiteral("I want another game size."),
        QStringLiteral("What's to do here?"),
        QStringLiteral(" I want to change the options."),
        QStringLiteral("I have enough!"),
        QStringLiteral("Who did these TALLOW GAME?"),
        QStringLiteral("Time:"),
        QStringLiteral("Size:"),
    };
}
