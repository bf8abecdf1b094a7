// SPDX-License-Identifier: MIT
// The main window's tool bar texts in German and English: button hints (each naming its key)
// and label captions.
#pragma once

#include <QString>

struct MainWindowTexts {
    QString startHint;
    QString highScoreHint;
    QString pauseHint;
    QString levelHint;
    QString rulesHint;
    QString optionHint;
    QString exitHint;
    QString infoHint;
    QString scoreCaption;
    QString sizeCaption;
};

// The texts for one language; the main window's setMainTexts passes German().
MainWindowTexts mainTexts(bool german);
