// SPDX-License-Identifier: MIT
// The tool bar along the top of the main window: its eight buttons, the two counters with their
// captions, where they lie, and what they say to the player and to a screen reader.
#pragma once

#include "view/PaintBox.h"
#include "view/ToolBarPainter.h"

#include <cstdint>

class BitmapList;
class ImageButton;
class QLabel;

class ToolBar : public PaintBox {
    Q_OBJECT

  public:
    // The left-hand buttons take their faces from the window's images; the right-hand ones
    // get theirs later (setRightButtonFaces), from the shared images.
    ToolBar(const BitmapList& images, QWidget* parent);

    ImageButton* startButton() const { return m_startButton; }
    ImageButton* pauseButton() const { return m_pauseButton; }
    ImageButton* bestListButton() const { return m_bestListButton; }
    ImageButton* levelButton() const { return m_levelButton; }
    ImageButton* optionsButton() const { return m_optionsButton; }
    ImageButton* infoButton() const { return m_infoButton; }
    ImageButton* rulesButton() const { return m_rulesButton; }
    ImageButton* exitButton() const { return m_exitButton; }
    QLabel* scoreLabel() const { return m_scoreLabel; }
    QLabel* sizeLabel() const { return m_sizeLabel; }

    void setRightButtonFaces(const BitmapList& buttonFaces);
    // Hints, captions and the names a screen reader speaks, in the player's language.
    void setTexts(bool german);
    void setBackgroundMode(int32_t mode) { m_painter.backgroundMode = mode; }

    // The background over the whole bar, shown at once; the counters are drawn over it after.
    void paintAll();
    // A counter drawn and shown at once; its screen-reader name follows.
    void drawTime(int32_t playTime);
    void drawSize(int32_t colCount, int32_t rowCount);

  signals:
    void startClicked();
    void pauseClicked();
    void bestListClicked();
    void levelPressed(Qt::MouseButton button);
    void optionsClicked();
    void infoClicked();
    void rulesClicked();
    void exitClicked();

  private:
    // The right-hand buttons keep to the right edge as the window's width changes.
    void arrangeRightButtons();
    void nameCounters();
    // The painter, told the screen's scale of the moment (it changes when the window moves).
    ToolBarPainter& painterAtScale() {
        m_painter.scale = scale();
        return m_painter;
    }

    ToolBarPainter m_painter;
    ImageButton* m_startButton;
    ImageButton* m_pauseButton;
    ImageButton* m_bestListButton;
    ImageButton* m_levelButton;
    ImageButton* m_optionsButton;
    ImageButton* m_infoButton;
    ImageButton* m_rulesButton;
    ImageButton* m_exitButton;
    QLabel* m_sizeLabel;
    QLabel* m_scoreLabel;
    bool m_german = true;
    int32_t m_playTime = 0;
    int32_t m_colCount = 0;
    int32_t m_rowCount = 0;
};
