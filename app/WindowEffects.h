// SPDX-License-Identifier: MIT
// What the rules and the keyboard ask of the window, handed on to the main window.
#pragma once

#include "app/MainWindow.h"
#include "logic/BoardRules.h"
#include "logic/KeyboardPlay.h"

// The main window stays a plain widget: this small object is the rules' and the keyboard's
// view of it, instead of the window being both interfaces besides.
class WindowEffects final : public BoardEffects, public CursorEffects {
  public:
    explicit WindowEffects(MainWindow& window) : m_window(window) {}

    void drawCell(int32_t col, int32_t row) override { m_window.drawCell(col, row); }
    void drawRowClues() override { m_window.drawRowClues(); }
    void drawColClues() override { m_window.drawColClues(); }
    void drawTime() override { m_window.drawTime(); }
    void playSnd(Sound sound) override { m_window.playSnd(sound); }
    void delay(int32_t ms) override { m_window.delay(ms); }
    void enablePauseBtn(bool enabled) override { m_window.enablePauseBtn(enabled); }
    void levelSolved() override { m_window.levelSolved(); }
    void cursorMoved(const BoardCursor& previous) override { m_window.cursorMoved(previous); }

  private:
    MainWindow& m_window;
};
