// The main window's tool bar texts in German and English: button hints (each naming its key)
// and label captions.
#pragma once

#include <QString>

struct MainWindowTexts {
    QString StartHint;
    QString HighScoreHint;
    QString PauseHint;
    QString LevelHint;
    QString RulesHint;
    QString OptionHint;
    QString ExitHint;
    QString InfoHint;
    QString ScoreCaption;
    QString SizeCaption;
};

// The texts for one language; the main window's setMainTexts passes German().
MainWindowTexts MainTexts(bool german);
