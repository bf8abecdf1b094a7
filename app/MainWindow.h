// SPDX-License-Identifier: MIT
// The main window: tool bar, board and the game's flow from start-up to close.
#pragma once

#include "app/KeyCommands.h"
#include "app/LevelKeeper.h"
#include "logic/BoardRules.h"
#include "logic/GameClock.h"
#include "logic/GameOptions.h"
#include "logic/KeyboardPlay.h"
#include "logic/RandomGenerator.h"
#include "platform/BitmapList.h"
#include "platform/SettingsStore.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class BestListDialog;
class BoardPainter;
class DialogImages;
class HelpSystem;
class LanguageDialog;
class MessageDialog;
class OptionsDialog;
class WindowPlacement;
class HintBalloon;
class MusicPlayer;
class PaintBox;
class SoundPlayer;
class ToolBar;

class WindowEffects;

class MainWindow : public QWidget {
    Q_OBJECT
  private:
    // The player's options and the level's random source: the players, the dialogs and the
    // rules hold them by reference, so they come first and go last.
    GameOptions m_options;
    RandomGenerator m_random;
    QString m_dataFolder; // the rules file and the music, ending in /
    // Components, as the window lays them out. Declared first: they are made before and
    // destroyed after the members that use them.
    ToolBar* m_toolBar = nullptr;
    PaintBox* m_boardBox = nullptr;
    QTimer m_clockTimer;
    BitmapList m_images;
    SettingsStore m_settings;
    std::unique_ptr<MusicPlayer> m_music;
    std::unique_ptr<SoundPlayer> m_sounds;
    std::unique_ptr<WindowPlacement> m_placement;
    // The dialogs, children of this window; made by createDialogs.
    MessageDialog* m_messageDialog = nullptr;
    LanguageDialog* m_languageDialog = nullptr;
    OptionsDialog* m_optionsDialog = nullptr;
    BestListDialog* m_bestListDialog = nullptr;
    std::unique_ptr<HintBalloon> m_hintBalloon;
    std::unique_ptr<DialogImages> m_dialogImages;

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The components, as the window lays them out; tests and the game's other windows reach
    // them here.
    ToolBar* toolBar() const { return m_toolBar; }
    PaintBox* boardBox() const { return m_boardBox; }
    QTimer& clockTimer() { return m_clockTimer; }
    const BitmapList& images() const { return m_images; }
    MusicPlayer& music() const { return *m_music; }
    SettingsStore& settings() { return m_settings; }
    // The dialogs are built together, in a fixed order, when the first of them is needed: not
    // before the window's first frame.
    MessageDialog* messageDialog();
    LanguageDialog* languageDialog();
    OptionsDialog* optionsDialog();
    BestListDialog* bestListDialog();
    // The shared images come after the window; the right-hand buttons take their faces from
    // them, the dialogs their pictures. The window keeps them until its dialogs are gone.
    void setDialogImages(std::unique_ptr<DialogImages> images);

    // The game's state. The one puzzle is replaced in place by each new level; the painter, the
    // rules and the keyboard hold it by reference.
    Puzzle& puzzle() { return m_puzzle; }
    const Puzzle& puzzle() const { return m_puzzle; }
    GameState gameState() const { return m_gameState; }
    int32_t playTime() const { return m_clock.playTime(); }
    // The player's options; the dialogs change them in place.
    GameOptions& gameOptions() { return m_options; }
    const QString& dataFolder() const { return m_dataFolder; }
    bool dragging() const { return m_rules->dragging(); }

    // Tests replace the wait of the board animations so they need not wait.
    void setDelayHook(std::function<void(int32_t ms)> hook) { m_delayHook = std::move(hook); }
    // Tests that tick the clock themselves stop the timer and set this: it then never wakes.
    void setTicksByHand(bool byHand) { m_ticksByHand = byHand; }

    // Game flow.
    void newLevel();
    void levelSolved();
    void onTimerTick();
    // The timer sleeps while it has nothing to do (no level running, no music) and wakes when
    // that changes, on the 100 ms grid it has kept since the window was created.
    bool timerNeeded() const;
    void wakeTimer();
    void onStartClicked();
    void onPauseClicked();
    void onBestListClicked();
    void onLevelPressed(Qt::MouseButton button);
    void onOptionsClicked();
    void onInfoClicked();
    void onRulesClicked();
    void onExitClicked();
    void setMainTexts();

    // Drawing.
    void paint();
    void paintToolBar();
    void drawSize();
    void prepareBackground();
    void repaintAll();
    const BoardLayout& boardLayoutNow() const;

    // What the rules ask of the window.
    void drawCell(int32_t col, int32_t row);
    void drawRowClues();
    void drawColClues();
    void drawTime();
    void playSnd(Sound sound);
    void delay(int32_t ms);
    void enablePauseBtn(bool enabled);

    // The keyboard's cursor on the board.
    void cursorMoved(const BoardCursor& previous);
    const BoardCursor& boardCursor() const { return m_keyboard->cursor(); }

    // A seed from the command line makes the boards reproducible.
    static void setFixedSeed(std::optional<uint32_t> seed) { s_fixedSeed = seed; }

    void setVisible(bool visible) override;

    // A quit signal: saves what a close saves, without asking, and ends the event loops (a
    // dialog that is open goes with them); the placement follows when the window is destroyed.
    void closeOnSignal();

  signals:
    // The board's first frame has been painted: work that can wait for it goes now.
    void firstFramePainted();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void buildWidgets();
    void setUpGame();
    void onFirstShow();
    bool confirmClose();
    void leave();
    // A level kept by an earlier run, shown paused; the level now as it would be kept.
    void resumeKeptLevel(const KeptLevel& kept);
    // Lays out and shows the board of a level just set up; the pause button follows its state.
    void showLevel(int32_t tileStyle);
    KeptLevel keptLevelNow() const;
    // Running or paused: a level the player has started and not solved.
    bool levelInProgress() const;
    // Goes on with a paused level; false when none was paused.
    bool resumeIfPaused();
    // The options as they are stored, by name; the stored values as read at the start.
    std::vector<std::pair<QString, QString>> storableOptions() const;
    void closeHelp();
    void relayOut();
    void createDialogs();
    // Runs what an animation's wait held back: one clock tick, a close asked for meanwhile.
    void afterWait();
    void boxMouseDown(Qt::MouseButton button, int32_t x, int32_t y);
    void boxMouseMove(int32_t x, int32_t y);
    void boxMouseUp();
    void runKey(KeyCommand command, bool shift);
    // Screen readers: the board names the cell under the cursor.
    void updateBoardName();

    Puzzle m_puzzle;
    GameState m_gameState = GameState::Ready;
    GameClock m_clock;
    std::vector<std::pair<QString, QString>> m_storedOptions;
    std::function<void(int32_t ms)> m_delayHook;
    bool m_ticksByHand = false;
    bool m_firstShow = true; // the language question is still to come
    static std::optional<uint32_t> s_fixedSeed;

    std::unique_ptr<BoardPainter> m_painter;
    std::unique_ptr<WindowEffects> m_effects; // what the rules and the keyboard see of the window
    std::unique_ptr<BoardRules> m_rules;
    std::unique_ptr<KeyboardPlay> m_keyboard;
    std::unique_ptr<LevelKeeper> m_keeper;
    std::unique_ptr<HelpSystem> m_helpSystem;
    bool m_hasLeft = false;  // Leave has run
    bool m_wasShown = false; // was put on screen, so it has a placement of the player's to keep
    // A close asked for while a move waits: it comes once the move has ended.
    bool m_closeAsked = false;
    QElapsedTimer m_timerEpoch; // when the timer first started: the phase of every tick
};
