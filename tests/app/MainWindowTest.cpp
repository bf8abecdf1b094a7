// SPDX-License-Identifier: MIT
// Game flow and rules through the real main window: board, tool bar, dialogs and settings file.
#include "app/MainWindow.h"
#include "app/GameWindows.h"
#include "app/KeyCommands.h"
#include "app/LevelKeeper.h"
#include "app/ToolBar.h"
#include "audio/Audio.h"
#include "audio/MusicPlayer.h"
#include "dialogs/AccessibleTexts.h"
#include "dialogs/BestListDialog.h"
#include "dialogs/InfoDialog.h"
#include "dialogs/LanguageDialog.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/OptionsDialog.h"
#include "logic/GameOptions.h"
#include "logic/KeptLevel.h"
#include "platform/Application.h"
#include "platform/SettingsStore.h"
#include "platform/TextScrambler.h"
#include "platform/help/HelpSystem.h"
#include "platform/help/HelpViewer.h"
#include "platform/widgets/ImageButton.h"
#include "view/CursorOverlay.h"
#include "view/PaintBox.h"
#include "view/ToolBarPainter.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// The main window while the windows exist.
MainWindow* mainform = nullptr;

// Answers the modal dialogs that open while it exists, one step per dialog, in order. Each step
// gets the dialog and must close it. It polls, so it does not care how soon a dialog comes; a
// dialog that no step expects, or that its step left open, fails the test and is closed, so a
// test can never hang on a modal loop. Steps never reached fail when the script ends.
class ModalScript {
  public:
    using ScriptStep = std::function<void(QWidget* modal)>;

    explicit ModalScript(std::vector<ScriptStep> steps) : m_steps(std::move(steps)) {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { step(); });
        m_poll.start();
    }
    ~ModalScript() {
        m_poll.stop();
        EXPECT_EQ(m_done, m_steps.size()) << "modal dialogs expected but never shown";
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    size_t answered() const { return m_done; }
    // Lets the event loop run until every step has run (bounded).
    bool finish(int timeoutMs = 5000) {
        return QTest::qWaitFor([this] { return m_done == m_steps.size(); }, timeoutMs);
    }

  private:
    static void close(QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(0);
        else
            modal->close();
    }

    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (m_done == m_steps.size()) {
            ADD_FAILURE() << "unexpected modal dialog " << modal->metaObject()->className();
            close(modal);
            return;
        }
        m_steps[m_done++](modal);
        if (modal->isVisible()) {
            ADD_FAILURE() << "step " << m_done << " left " << modal->metaObject()->className()
                          << " open";
            close(modal);
        }
    }

    std::vector<ScriptStep> m_steps;
    size_t m_done = 0;
    QTimer m_poll;
};

// A step for the message dialog: checks the message number, runs `meanwhile` while the message
// is open, then answers with a key: a character, or a Qt::Key such as Escape.
ModalScript::ScriptStep messageStep(int32_t number, int key, std::function<void()> meanwhile = {}) {
    return [=](QWidget* modal) {
        EXPECT_EQ(modal, static_cast<QWidget*>(mainform->messageDialog()));
        EXPECT_EQ(mainform->messageDialog()->messageNumber(), number);
        if (meanwhile) meanwhile();
        if (key < 0x80)
            QTest::keyClick(modal, static_cast<char>(key));
        else
            QTest::keyClick(modal, static_cast<Qt::Key>(key));
    };
}

// A step for the best list in entry mode: types the name and confirms.
ModalScript::ScriptStep enterName(const QString& name) {
    return [=](QWidget* modal) {
        EXPECT_EQ(modal, static_cast<QWidget*>(mainform->bestListDialog()));
        ASSERT_TRUE(mainform->bestListDialog()->nameEdit()->isVisible());
        mainform->bestListDialog()->nameEdit()->clear();
        QTest::keyClicks(mainform->bestListDialog()->nameEdit(), name);
        QTest::mouseClick(mainform->bestListDialog()->okButton(), Qt::LeftButton);
    };
}

using GridValues = std::vector<int32_t>;

GridValues gridNow() {
    GridValues grid;
    for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
        for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
            grid.push_back(mainform->puzzle().grid[c][r]);
    return grid;
}

QRect cellRect(int32_t col, int32_t row) {
    const BoardLayout& l = mainform->boardLayoutNow();
    return {l.boardLeft + (col - 1) * l.cellSize, l.boardTop + (row - 1) * l.cellSize, l.cellSize,
            l.cellSize};
}

QPoint cellCentre(int32_t col, int32_t row) {
    const BoardLayout& l = mainform->boardLayoutNow();
    return cellRect(col, row).topLeft() + QPoint(l.halfCell, l.halfCell);
}

QImage cellPixels(int32_t col, int32_t row) {
    return mainform->boardBox()->surface().copy(cellRect(col, row));
}

void click(int32_t col, int32_t row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(mainform->boardBox(), button, {}, cellCentre(col, row));
    QTest::mouseRelease(mainform->boardBox(), button, {}, cellCentre(col, row));
}

// The first cell, row by row, in the given state.
bool findCell(int32_t state, int32_t& col, int32_t& row) {
    for (row = 1; row <= mainform->puzzle().rowCount; ++row)
        for (col = 1; col <= mainform->puzzle().colCount; ++col)
            if (mainform->puzzle().grid[col][row] == state) return true;
    return false;
}

// The tool bar shows this time exactly when drawing it again changes nothing.
bool toolBarShowsTime(int32_t time) {
    QImage expected = mainform->toolBar()->surface().copy();
    ToolBarPainter painter(mainform->images());
    painter.backgroundMode = mainform->gameOptions().backgroundMode;
    painter.drawTime(expected, time);
    return expected == mainform->toolBar()->surface();
}

bool toolBarShowsSize(int32_t cols, int32_t rows) {
    QImage expected = mainform->toolBar()->surface().copy();
    ToolBarPainter painter(mainform->images());
    painter.backgroundMode = mainform->gameOptions().backgroundMode;
    painter.drawSize(expected, cols, rows);
    return expected == mainform->toolBar()->surface();
}

void ticks(int n) {
    for (int i = 0; i < n; ++i)
        mainform->onTimerTick();
}

// The music loads on a worker thread: ticks until it plays, up to a few seconds.
bool ticksUntilMusicPlays() {
    return QTest::qWaitFor(
        [] {
            ticks(1);
            return mainform->music().playing();
        },
        5000);
}

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Closing the main window must not end the test program's later event loops.
        QApplication::setQuitOnLastWindowClosed(false);
        initHelpSystem({});
    }
    static void TearDownTestSuite() { doneHelpSystem(); }

    void SetUp() override { freshStart(); }

    // An empty settings folder of its own; each window starts as a new program does.
    void freshStart() {
        m_config = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_config->isValid());
        qputenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit());
        MainWindow::setFixedSeed(20240613);
    }

    void TearDown() override {
        if (mainform) destroyGameWindows(mainform);
        mainform = nullptr;
        MainWindow::setFixedSeed(std::nullopt);
    }

    static void store(const char* name, const QString& text) {
        SettingsStore(SettingsStore::defaultFileName()).writeText(SettingsSection, name, text);
    }
    static QString stored(const QString& name) {
        return SettingsStore(SettingsStore::defaultFileName())
            .readText(SettingsSection, name, QStringLiteral("<missing>"));
    }

    // Creates the windows the way the program does and shows the main window. The clock is
    // ticked by hand and the animations do not wait.
    void open() {
        mainform = createGameWindows();
        ASSERT_NE(mainform, nullptr);
        mainform->clockTimer().stop();
        mainform->setTicksByHand(true);
        mainform->setDelayHook([](int32_t) {});
        mainform->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainform));
        QCoreApplication::processEvents();
    }
    // A player who chose English before: no language question.
    void openEnglish() {
        store("tongue", QStringLiteral("0"));
        open();
    }

    std::unique_ptr<QTemporaryDir> m_config;
};

// --- First start --------------------------------------------------------------------------

TEST_F(MainWindowTest, FirstStartDefaultsAndGermanAnswer) {
    ModalScript script({[](QWidget* modal) {
        EXPECT_EQ(modal, static_cast<QWidget*>(mainform->languageDialog()));
        // Still English while the question is open.
        EXPECT_EQ(mainform->toolBar()->scoreLabel()->text(), QStringLiteral("Time:"));
        QTest::mouseClick(mainform->languageDialog()->germanButton(), Qt::LeftButton);
    }});
    mainform = createGameWindows();
    mainform->clockTimer().stop();
    mainform->setTicksByHand(true);
    // Before the first show: the defaults of an empty store.
    EXPECT_EQ(mainform->gameOptions().tongue, -1);
    EXPECT_TRUE(mainform->gameOptions().soundOn);
    EXPECT_TRUE(mainform->gameOptions().musicOn);
    EXPECT_EQ(mainform->gameOptions().backgroundMode, 0);
    EXPECT_EQ(mainform->gameOptions().mode, 1);
    EXPECT_EQ(mainform->puzzle().colCount, 10);
    EXPECT_EQ(mainform->puzzle().rowCount, 7);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    EXPECT_FALSE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_EQ(mainform->windowTitle(), QStringLiteral("Morvek V1.0"));
    EXPECT_EQ(mainform->toolBar()->scoreLabel()->text(), QStringLiteral("Time:"));
    EXPECT_EQ(mainform->toolBar()->sizeLabel()->text(), QStringLiteral("Size:"));
    EXPECT_EQ(mainform->toolBar()->startButton()->hint(),
              QStringLiteral("I want to start again. (F2)"));
    EXPECT_EQ(mainform->toolBar()->optionsButton()->hint(),
              QStringLiteral(" I want to change the options. (F5)"));
    EXPECT_TRUE(mainform->dataFolder().endsWith(u'/'));

    mainform->show();
    ASSERT_TRUE(script.finish());
    EXPECT_EQ(mainform->gameOptions().tongue, 1);
    EXPECT_EQ(mainform->toolBar()->scoreLabel()->text(), QStringLiteral("Zeit:"));
    EXPECT_EQ(mainform->toolBar()->sizeLabel()->text(), QString::fromUtf8("Größe:"));
    EXPECT_EQ(mainform->toolBar()->startButton()->hint(),
              QStringLiteral("Ich möchte neu beginnen. (F2)"));
    EXPECT_EQ(mainform->toolBar()->infoButton()->hint(),
              QStringLiteral("Wer hat diese Spiele nur verbrochen? (Strg+I)"));
    // The tool bar shows both counters of the fresh level.
    EXPECT_TRUE(toolBarShowsTime(0));
    EXPECT_TRUE(toolBarShowsSize(10, 7));
}

TEST_F(MainWindowTest, LanguageQuestionClosedOtherwiseStaysEnglishAndAsksAgain) {
    {
        ModalScript script(
            {[](QWidget*) { QTest::keyClick(mainform->languageDialog(), Qt::Key_Escape); }});
        open();
        ASSERT_TRUE(script.finish());
    }
    EXPECT_EQ(mainform->gameOptions().tongue, -1);
    EXPECT_EQ(mainform->toolBar()->scoreLabel()->text(), QStringLiteral("Time:"));
    EXPECT_EQ(mainform->toolBar()->sizeLabel()->text(), QStringLiteral("Size:"));

    {
        ModalScript close({messageStep(3, 'y')});
        mainform->close();
    }
    // Nothing chosen, nothing stored: a missing language is the unanswered question.
    EXPECT_EQ(stored(QStringLiteral("tongue")), QStringLiteral("<missing>"));
    destroyGameWindows(mainform);
    mainform = nullptr;

    // The next start asks again.
    ModalScript again({[](QWidget* modal) {
        EXPECT_EQ(modal, static_cast<QWidget*>(mainform->languageDialog()));
        QTest::mouseClick(mainform->languageDialog()->englishButton(), Qt::LeftButton);
    }});
    open();
    ASSERT_TRUE(again.finish());
    EXPECT_EQ(mainform->gameOptions().tongue, 0);
}

TEST_F(MainWindowTest, StoredLanguageAsksNothing) {
    store("tongue", QStringLiteral("1"));
    ModalScript none({});
    open();
    QTest::qWait(50); // room for a question that must not come
    EXPECT_EQ(none.answered(), 0u);
    EXPECT_EQ(mainform->toolBar()->scoreLabel()->text(), QStringLiteral("Zeit:"));
}

// --- Stored values out of range ----------------------------------------------------------

TEST_F(MainWindowTest, StoredValuesAreBroughtIntoRange) {
    struct Row {
        const char* name;
        const char* text;
        int32_t mode;
        int32_t backMode;
    };
    const Row rows[] = {
        {"mode", "0", 1, 0},      {"mode", "12", 9, 0},    {"mode", "abc", 1, 0},
        {"mode", "-5", 1, 0},     {"mode", "4", 4, 0},     {"backmode", "9", 1, 0},
        {"backmode", "-3", 1, 0}, {"backmode", "7", 1, 0}, {"backmode", "6", 1, 6},
        {"backmode", "$3", 1, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + "=" + row.text);
        freshStart();
        store(row.name, QString::fromLatin1(row.text));
        openEnglish();
        EXPECT_EQ(mainform->gameOptions().mode, row.mode);
        EXPECT_EQ(mainform->gameOptions().backgroundMode, row.backMode);
        EXPECT_EQ(mainform->puzzle().colCount, colCountFor(row.mode));
        EXPECT_EQ(mainform->puzzle().rowCount, rowCountFor(row.mode));
        destroyGameWindows(mainform);
        mainform = nullptr;
    }
}

// --- The clock ----------------------------------------------------------------------------

TEST_F(MainWindowTest, ClockStartsWithFirstPressAndStopsOnlyForPause) {
    openEnglish();
    ticks(30);
    EXPECT_EQ(mainform->playTime(), 0);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);

    // A press on the row clues is no press on a cell.
    const BoardLayout& l = mainform->boardLayoutNow();
    QTest::mouseClick(mainform->boardBox(), Qt::LeftButton, {},
                      QPoint(l.boardLeft - 2, l.boardTop + l.halfCell));
    EXPECT_EQ(mainform->gameState(), GameState::Ready);

    // The middle button on a cell starts the level and changes nothing on the board.
    const GridValues before = gridNow();
    click(1, 1, Qt::MiddleButton);
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_TRUE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_EQ(gridNow(), before);
    ticks(9);
    EXPECT_EQ(mainform->playTime(), 0);
    ticks(1);
    EXPECT_EQ(mainform->playTime(), 1);
    ticks(25);
    EXPECT_EQ(mainform->playTime(), 3);
    EXPECT_TRUE(toolBarShowsTime(3));

    // Paused: the numbers are hidden and ticks do not count.
    {
        ModalScript pause({messageStep(12, Qt::Key_Escape, [] {
            EXPECT_EQ(mainform->gameState(), GameState::Paused);
            ticks(40);
            EXPECT_EQ(mainform->playTime(), 3);
        })});
        QTest::mouseClick(mainform->toolBar()->pauseButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_TRUE(mainform->toolBar()->pauseButton()->isEnabled());
    ticks(5); // with the 5 carried over, a full second
    EXPECT_EQ(mainform->playTime(), 4);

    // Start while running: the question does not stop the clock; No keeps everything.
    {
        ModalScript giveUp({messageStep(4, 'n', [] {
            ticks(10);
            EXPECT_EQ(mainform->playTime(), 5);
        })});
        QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_EQ(mainform->playTime(), 5);
    EXPECT_EQ(gridNow(), before);

    // Yes: a new board, ready, time 0.
    {
        ModalScript giveUp({messageStep(4, 'y')});
        QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    EXPECT_EQ(mainform->playTime(), 0);
    EXPECT_FALSE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_NE(gridNow(), before);
    EXPECT_TRUE(toolBarShowsTime(0));
    ticks(20);
    EXPECT_EQ(mainform->playTime(), 0);

    // Start on a ready level asks nothing.
    const GridValues ready = gridNow();
    ModalScript none({});
    QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    EXPECT_NE(gridNow(), ready);
}

TEST_F(MainWindowTest, PauseHidesTheCluesUntilItEnds) {
    openEnglish();
    click(1, 1, Qt::MiddleButton);
    const BoardLayout& l = mainform->boardLayoutNow();
    const QRect rowClues(0, l.boardTop, l.boardLeft, mainform->puzzle().rowCount * l.cellSize);
    const QRect colClues(l.boardLeft, 0, mainform->puzzle().colCount * l.cellSize, l.boardTop);
    const QImage before = mainform->boardBox()->surface().copy();
    {
        ModalScript pause({messageStep(12, 'n', [&] {
            const QImage& paused = mainform->boardBox()->surface();
            EXPECT_NE(paused.copy(rowClues), before.copy(rowClues));
            EXPECT_NE(paused.copy(colClues), before.copy(colClues));
            // The cells themselves are not what the pause hides.
            EXPECT_EQ(paused.copy(cellRect(1, 1)), before.copy(cellRect(1, 1)));
        })});
        QTest::mouseClick(mainform->toolBar()->pauseButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->boardBox()->surface(), before);
}

// A dialog closed without an answer (result 0): Start and the size button go ahead, closing
// does not.
TEST_F(MainWindowTest, QuestionClosedWithoutAnswer) {
    const auto closeIt = [](QWidget* modal) {
        EXPECT_EQ(mainform->messageDialog()->messageNumber(), 4);
        modal->close();
    };
    openEnglish();
    click(1, 1, Qt::MiddleButton);
    {
        ModalScript script({closeIt});
        mainform->close();
    }
    EXPECT_TRUE(mainform->isVisible());
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_EQ(stored(QStringLiteral("mode")), QStringLiteral("<missing>"));

    const GridValues before = gridNow();
    {
        ModalScript script({closeIt});
        QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    EXPECT_NE(gridNow(), before);

    click(1, 1, Qt::MiddleButton);
    {
        ModalScript script({closeIt});
        QTest::mousePress(mainform->toolBar()->levelButton(), Qt::LeftButton);
        QTest::mouseRelease(mainform->toolBar()->levelButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameOptions().mode, 2);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
}

// Every dialog but the pause message leaves the clock running.
TEST_F(MainWindowTest, ClockRunsDuringOtherDialogs) {
    openEnglish();
    click(1, 1, Qt::MiddleButton);
    const auto tickSecond = [](int32_t expected) {
        ticks(10);
        EXPECT_EQ(mainform->playTime(), expected);
    };
    {
        ModalScript options({[&](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->optionsDialog()));
            tickSecond(1);
            QTest::mouseClick(mainform->optionsDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->optionsButton(), Qt::LeftButton);
    }
    {
        ModalScript best({[&](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->bestListDialog()));
            tickSecond(2);
            QTest::mouseClick(mainform->bestListDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->bestListButton(), Qt::LeftButton);
    }
    {
        ModalScript size({messageStep(4, 'n', [&] { tickSecond(3); })});
        QTest::mousePress(mainform->toolBar()->levelButton(), Qt::RightButton);
        QTest::mouseRelease(mainform->toolBar()->levelButton(), Qt::RightButton);
    }
    {
        ModalScript info({[&](QWidget* modal) {
            auto* dialog = qobject_cast<InfoDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameLabel()->text(), QStringLiteral("Morvek"));
            EXPECT_EQ(dialog->versionLabel()->text(), QStringLiteral("V1.0"));
            tickSecond(4);
            QTest::keyClick(modal, Qt::Key_Escape);
        }});
        QTest::mouseClick(mainform->toolBar()->infoButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_EQ(mainform->gameOptions().mode, 1);
}

// A resized window lays the board out anew and keeps what the player has done.
TEST_F(MainWindowTest, ResizeKeepsBoardAndToolBar) {
    openEnglish();
    // The window is never smaller than 750 x 480 outside.
    EXPECT_GE(mainform->frameGeometry().width(), 750);
    EXPECT_GE(mainform->frameGeometry().height(), 480);
    int32_t col = 0, row = 0;
    ASSERT_TRUE(findCell(CellState::HiddenFilled, col, row));
    click(col, row);
    ticks(10);
    const int32_t cellSize = mainform->boardLayoutNow().cellSize;

    mainform->resize(1100, 800);
    QCoreApplication::processEvents();
    EXPECT_GT(mainform->boardLayoutNow().cellSize, cellSize);
    EXPECT_EQ(mainform->boardBox()->surface().size(), mainform->boardBox()->size());
    EXPECT_EQ(cellPixels(col, row).pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_TRUE(toolBarShowsTime(mainform->playTime()));
    EXPECT_TRUE(toolBarShowsSize(10, 7));
    // The right four stay flush right, 52 pixels apart, 2 pixels from the edge.
    const int width = mainform->width();
    EXPECT_EQ(width, 1100);
    EXPECT_EQ(mainform->toolBar()->exitButton()->geometry(), QRect(1048, 4, 50, 50));
    EXPECT_EQ(mainform->toolBar()->rulesButton()->geometry(), QRect(996, 4, 50, 50));
    EXPECT_EQ(mainform->toolBar()->infoButton()->geometry(), QRect(944, 4, 50, 50));
    EXPECT_EQ(mainform->toolBar()->optionsButton()->geometry(), QRect(892, 4, 50, 50));
    EXPECT_EQ(mainform->toolBar()->levelButton()->geometry(), QRect(160, 4, 50, 50));

    // Presses find the cells at their new places.
    int32_t next = 0, nextRow = 0;
    ASSERT_TRUE(findCell(CellState::HiddenFilled, next, nextRow));
    click(next, nextRow);
    EXPECT_EQ(mainform->puzzle().grid[next][nextRow], CellState::Uncovered);
    EXPECT_EQ(cellPixels(next, nextRow).pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(mainform->playTime(), 1);

    // A change of height alone leaves the tool bar as it is; both counters stay.
    mainform->resize(1100, 600);
    QCoreApplication::processEvents();
    EXPECT_TRUE(toolBarShowsTime(mainform->playTime()));
    EXPECT_TRUE(toolBarShowsSize(10, 7));
}

TEST_F(MainWindowTest, PauseButtonDoesNothingUnlessRunning) {
    openEnglish();
    ModalScript none({});
    mainform->onPauseClicked();
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
}

// --- The size ring ------------------------------------------------------------------------

TEST_F(MainWindowTest, SizeButtonRing) {
    struct Row {
        int32_t from;
        Qt::MouseButton button;
        int32_t to;
    };
    const Row rows[] = {
        {9, Qt::LeftButton, 1},   {1, Qt::RightButton, 9}, {1, Qt::LeftButton, 2},
        {5, Qt::MiddleButton, 4}, {9, Qt::RightButton, 8}, {8, Qt::LeftButton, 9},
    };
    openEnglish();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << row.from << " button " << row.button);
        mainform->gameOptions().mode = row.from;
        mainform->newLevel();
        ModalScript none({});
        QTest::mousePress(mainform->toolBar()->levelButton(), row.button);
        QTest::mouseRelease(mainform->toolBar()->levelButton(), row.button);
        EXPECT_EQ(mainform->gameOptions().mode, row.to);
        EXPECT_EQ(mainform->puzzle().colCount, 3 * row.to + 7);
        EXPECT_EQ(mainform->puzzle().rowCount, 2 * row.to + 5);
        EXPECT_EQ(mainform->gameState(), GameState::Ready);
        EXPECT_TRUE(toolBarShowsSize(mainform->puzzle().colCount, mainform->puzzle().rowCount));
    }
    mainform->gameOptions().mode = 1;
    mainform->newLevel();
    QTest::mousePress(mainform->toolBar()->levelButton(), Qt::RightButton);
    QTest::mouseRelease(mainform->toolBar()->levelButton(), Qt::RightButton);
    EXPECT_EQ(mainform->puzzle().colCount, 34);
    EXPECT_EQ(mainform->puzzle().rowCount, 23);
}

TEST_F(MainWindowTest, SizeButtonWhileRunningAsksFirst) {
    openEnglish();
    click(1, 1, Qt::MiddleButton);
    ASSERT_EQ(mainform->gameState(), GameState::Running);
    const GridValues before = gridNow();
    {
        ModalScript no({messageStep(4, 'n')});
        QTest::mousePress(mainform->toolBar()->levelButton(), Qt::LeftButton);
        QTest::mouseRelease(mainform->toolBar()->levelButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameOptions().mode, 1);
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_EQ(gridNow(), before);
    {
        ModalScript yes({messageStep(4, 'y')});
        QTest::mousePress(mainform->toolBar()->levelButton(), Qt::RightButton);
        QTest::mouseRelease(mainform->toolBar()->levelButton(), Qt::RightButton);
    }
    EXPECT_EQ(mainform->gameOptions().mode, 9);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    EXPECT_EQ(mainform->puzzle().colCount, 34);
}

// --- The board through the window -------------------------------------------------------

TEST_F(MainWindowTest, DragUncoversCellsOnGridAndScreen) {
    openEnglish();
    // A run of three filled cells in a row, from the seeded board.
    int32_t col = 0, row = 0;
    bool found = false;
    for (row = 1; row <= mainform->puzzle().rowCount && !found; ++row)
        for (col = 1; col + 2 <= mainform->puzzle().colCount && !found; ++col)
            found = mainform->puzzle().grid[col][row] == CellState::HiddenFilled &&
                    mainform->puzzle().grid[col + 1][row] == CellState::HiddenFilled &&
                    mainform->puzzle().grid[col + 2][row] == CellState::HiddenFilled;
    ASSERT_TRUE(found);
    --row;
    --col;

    const GridValues before = gridNow();
    std::vector<QImage> pixels;
    for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
        for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
            pixels.push_back(cellPixels(c, r));
    const QPoint frame(3, 3);
    EXPECT_NE(cellPixels(col, row).pixel(frame), qRgb(0, 0, 0));

    QTest::mousePress(mainform->boardBox(), Qt::LeftButton, {}, cellCentre(col, row));
    EXPECT_TRUE(mainform->dragging());
    QTest::mouseMove(mainform->boardBox(), cellCentre(col + 1, row));
    QTest::mouseMove(mainform->boardBox(), cellCentre(col + 2, row));
    QTest::mouseRelease(mainform->boardBox(), Qt::LeftButton, {}, cellCentre(col + 2, row));
    EXPECT_FALSE(mainform->dragging());
    EXPECT_EQ(mainform->playTime(), 0);

    for (int32_t c = col; c <= col + 2; ++c) {
        EXPECT_EQ(mainform->puzzle().grid[c][row], CellState::Uncovered) << c;
        EXPECT_EQ(cellPixels(c, row).pixel(frame), qRgb(0, 0, 0)) << c;
    }
    // Every cell's picture changed exactly where its state changed (a completed line marks its
    // empty cells, which changes them too).
    const GridValues after = gridNow();
    size_t i = 0;
    for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
        for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r, ++i) {
            SCOPED_TRACE(testing::Message() << "cell " << c << "," << r);
            EXPECT_EQ(after[i] != before[i], cellPixels(c, r) != pixels[i]);
            if (after[i] != before[i] && !(r == row && c >= col && c <= col + 2)) {
                EXPECT_EQ(after[i], CellState::MarkedEmpty);
            }
        }

    // The released button ended the drag: moving on uncovers nothing.
    const GridValues released = gridNow();
    for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
        QTest::mouseMove(mainform->boardBox(), cellCentre(c, row));
    EXPECT_EQ(gridNow(), released);
}

// The flash of a wrong move really waits (600 ms) in an event loop: the window repaints
// meanwhile, the clock holds and catches up one tick afterwards, and a close asked for during
// the wait comes once the move is over.
TEST_F(MainWindowTest, AnimationWaitRepaintsButHoldsClockAndClose) {
    openEnglish();
    mainform->setDelayHook(nullptr);
    click(1, 1, Qt::MiddleButton); // running
    ticks(3);
    int32_t col = 0, row = 0;
    ASSERT_TRUE(findCell(CellState::HiddenEmpty, col, row));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    mainform->boardBox()->installEventFilter(&counter);
    int paintsDuringWait = -1;
    bool stillWaiting = false;
    QTimer::singleShot(100, mainform, [] {
        mainform->boardBox()->update();
        ticks(20);
        mainform->close();
    });
    QTimer::singleShot(300, mainform, [&] {
        paintsDuringWait = counter.paints;
        stillWaiting = mainform->playTime() == 33 && mainform->isVisible();
    });
    const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    QTest::mousePress(mainform->boardBox(), Qt::LeftButton, {}, cellCentre(col, row));
    EXPECT_GE(clock.elapsed(), 600);
    EXPECT_GE(paintsDuringWait, 1);
    EXPECT_TRUE(stillWaiting);
    EXPECT_EQ(mainform->playTime(), 33);
    EXPECT_TRUE(mainform->isVisible());
    QTest::mouseRelease(mainform->boardBox(), Qt::LeftButton, {}, cellCentre(col, row));
    mainform->boardBox()->removeEventFilter(&counter);

    // Back in the event loop: the held tick, then the question of the held close.
    ModalScript no({messageStep(4, 'n')});
    EXPECT_TRUE(no.finish());
    EXPECT_TRUE(mainform->isVisible());
    ticks(6); // 3 before, 1 caught up, 6 now: a second
    EXPECT_EQ(mainform->playTime(), 34);
}

TEST_F(MainWindowTest, WrongMovesChargeAndShowTheTime) {
    struct Row {
        int32_t mode;
        Qt::MouseButton button;
        int32_t state; // the cell the wrong press goes to
        int32_t penalty;
    };
    const Row rows[] = {
        {1, Qt::RightButton, CellState::HiddenFilled, 33},
        {1, Qt::LeftButton, CellState::HiddenEmpty, 33},
        {4, Qt::LeftButton, CellState::HiddenEmpty, 66},
        {7, Qt::RightButton, CellState::HiddenFilled, 99},
    };
    openEnglish();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << row.mode << " button " << row.button);
        mainform->gameOptions().mode = row.mode;
        mainform->newLevel();
        int32_t col = 0, r = 0;
        ASSERT_TRUE(findCell(row.state, col, r));
        const QImage cell = cellPixels(col, r);
        const QImage toolbar = mainform->toolBar()->surface().copy();
        click(col, r, row.button);
        EXPECT_EQ(mainform->playTime(), row.penalty);
        EXPECT_EQ(mainform->gameState(), GameState::Running);
        EXPECT_TRUE(mainform->toolBar()->pauseButton()->isEnabled());
        EXPECT_EQ(mainform->puzzle().grid[col][r], row.state);
        EXPECT_EQ(cellPixels(col, r), cell); // the flash ends on the cell's own look
        EXPECT_NE(mainform->toolBar()->surface(), toolbar);
        EXPECT_TRUE(toolBarShowsTime(row.penalty));
        click(col, r, row.button);
        EXPECT_EQ(mainform->playTime(), 2 * row.penalty);
        EXPECT_TRUE(toolBarShowsTime(2 * row.penalty));
        // The new level asks before giving up the running one.
        ModalScript yes({messageStep(4, 'y')});
        mainform->onStartClicked();
    }
}

TEST_F(MainWindowTest, SolvingTheBoardStoresTheResult) {
    openEnglish();
    int32_t col = 0, row = 0;
    ASSERT_TRUE(findCell(CellState::HiddenEmpty, col, row));
    click(col, row, Qt::LeftButton); // one wrong move: 33 seconds
    ticks(25);                       // and two more
    const int32_t result = 35;
    ASSERT_EQ(mainform->playTime(), result);

    std::vector<std::pair<int32_t, int32_t>> filled;
    for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
        for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
            if (mainform->puzzle().grid[c][r] == CellState::HiddenFilled) filled.emplace_back(c, r);
    ASSERT_FALSE(filled.empty());
    const auto last = filled.back();
    filled.pop_back();
    for (const auto& [c, r] : filled)
        click(c, r);
    EXPECT_EQ(mainform->gameState(), GameState::Running);

    {
        ModalScript solved({messageStep(1, 'y',
                                        [] {
                                            EXPECT_EQ(mainform->gameState(), GameState::Solved);
                                            ticks(30); // the clock stands after the last cell
                                        }),
                            enterName(QStringLiteral("Tess"))});
        click(last.first, last.second);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Solved);
    EXPECT_EQ(mainform->playTime(), result);
    EXPECT_FALSE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_TRUE(toolBarShowsTime(result));
    EXPECT_EQ(unscrambleText(stored(QStringLiteral("hs10"))), QStringLiteral("35,Tess"));
    EXPECT_EQ(stored(QStringLiteral("player")), QStringLiteral("Tess"));

    // Further presses and ticks change nothing.
    const GridValues solvedGrid = gridNow();
    const QImage board = mainform->boardBox()->surface().copy();
    for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
        for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c) {
            click(c, r, Qt::LeftButton);
            click(c, r, Qt::RightButton);
        }
    ticks(20);
    EXPECT_EQ(gridNow(), solvedGrid);
    EXPECT_EQ(mainform->boardBox()->surface(), board);
    EXPECT_EQ(mainform->playTime(), result);
    EXPECT_EQ(mainform->gameState(), GameState::Solved);

    // The best-list button shows the list of this size, in any state.
    {
        ModalScript view({[](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->bestListDialog()));
            EXPECT_EQ(mainform->bestListDialog()->keyPrefix(), QStringLiteral("hs1"));
            EXPECT_FALSE(mainform->bestListDialog()->nameEdit()->isVisible());
            QTest::mouseClick(mainform->bestListDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->bestListButton(), Qt::LeftButton);
    }
    // Start after a solved board asks nothing.
    ModalScript none({});
    QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
}

// The last cell uncovered by a drag: the dialogs open in the middle of the drag, and a best
// list closed with Escape keeps nothing.
TEST_F(MainWindowTest, SolvedByDragAndBestListCancelled) {
    openEnglish();
    int32_t col = 0, row = 0;
    bool found = false;
    for (row = 1; row <= mainform->puzzle().rowCount && !found; ++row)
        for (col = 1; col < mainform->puzzle().colCount && !found; ++col)
            found = mainform->puzzle().grid[col][row] == CellState::HiddenFilled &&
                    mainform->puzzle().grid[col + 1][row] == CellState::HiddenFilled;
    ASSERT_TRUE(found);
    --row;
    --col;
    for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
        for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
            if (mainform->puzzle().grid[c][r] == CellState::HiddenFilled &&
                !(r == row && (c == col || c == col + 1)))
                click(c, r);
    ticks(30);
    ASSERT_EQ(mainform->gameState(), GameState::Running);

    QTest::mousePress(mainform->boardBox(), Qt::LeftButton, {}, cellCentre(col, row));
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    {
        ModalScript solved({messageStep(1, Qt::Key_Return), [](QWidget* modal) {
                                EXPECT_EQ(modal, static_cast<QWidget*>(mainform->bestListDialog()));
                                QTest::keyClick(modal, Qt::Key_Escape);
                            }});
        QTest::mouseMove(mainform->boardBox(), cellCentre(col + 1, row));
    }
    QTest::mouseRelease(mainform->boardBox(), Qt::LeftButton, {}, cellCentre(col + 1, row));
    EXPECT_EQ(mainform->gameState(), GameState::Solved);
    EXPECT_FALSE(mainform->dragging());
    EXPECT_EQ(mainform->playTime(), 3);
    EXPECT_FALSE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_EQ(stored(QStringLiteral("hs10")), QStringLiteral("<missing>"));

    // The size button after a solved board asks nothing.
    ModalScript none({});
    QTest::mousePress(mainform->toolBar()->levelButton(), Qt::LeftButton);
    QTest::mouseRelease(mainform->toolBar()->levelButton(), Qt::LeftButton);
    EXPECT_EQ(mainform->gameOptions().mode, 2);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    EXPECT_TRUE(toolBarShowsTime(0));
}

// A best-list value that is not text costs only its own row: the solved level ends as it should
// and the result is stored.
TEST_F(MainWindowTest, ABestListValueThatIsNotTextCostsOnlyItsRow) {
    QStringList errors;
    Application::errorHook = [&](const QString& text) { errors << text; };
    {
        QFile file(SettingsStore::defaultFileName());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[common]\ntongue=0\nhs10=@ByteArray(1)\n");
    }
    open();
    std::vector<std::pair<int32_t, int32_t>> filled;
    for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
        for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
            if (mainform->puzzle().grid[c][r] == CellState::HiddenFilled) filled.emplace_back(c, r);
    const auto last = filled.back();
    filled.pop_back();
    for (const auto& [c, r] : filled)
        click(c, r);
    {
        ModalScript solved({messageStep(1, 'y'), enterName("Eve")});
        EXPECT_NO_THROW(click(last.first, last.second));
    }
    EXPECT_EQ(mainform->gameState(), GameState::Solved);
    EXPECT_FALSE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_TRUE(unscrambleText(stored(QStringLiteral("hs10"))).endsWith(QStringLiteral(",Eve")));
    Application::errorHook = nullptr;
}

// Keys typed while the last move's animation runs were meant for the board: they neither answer
// the box that follows nor end up in the name field.
TEST_F(MainWindowTest, InputHeldBackByTheLastAnimationIsDropped) {
    openEnglish();
    std::vector<std::pair<int32_t, int32_t>> filled;
    for (int32_t r = 1; r <= mainform->puzzle().rowCount; ++r)
        for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
            if (mainform->puzzle().grid[c][r] == CellState::HiddenFilled) filled.emplace_back(c, r);
    const auto last = filled.back();
    filled.pop_back();
    for (const auto& [c, r] : filled)
        click(c, r);
    // Typed during the move: still waiting in the queue when the move ends, and then delivered
    // to the box and the name field that come up.
    for (const char key : std::string("y abc"))
        QCoreApplication::postEvent(
            mainform->messageDialog(),
            new QKeyEvent(QEvent::KeyPress, key == ' ' ? Qt::Key_Space : Qt::Key_A + (key - 'a'),
                          Qt::NoModifier, QString(QChar::fromLatin1(key))));
    QString nameShown;
    {
        ModalScript solved({messageStep(1, 'y'), [&](QWidget* modal) {
                                EXPECT_EQ(modal, static_cast<QWidget*>(mainform->bestListDialog()));
                                nameShown = mainform->bestListDialog()->nameEdit()->text();
                                QTest::mouseClick(mainform->bestListDialog()->okButton(),
                                                  Qt::LeftButton);
                            }});
        click(last.first, last.second);
    }
    EXPECT_EQ(nameShown, QStringLiteral("Mr.Brain"));
}

// --- A level kept between runs ---------------------------------------------------------------

// Closed in the middle of a level, the game shows the same board at the next start, paused, with
// its cells and its time; the pause button goes on, and solving the level ends its keeping.
TEST_F(MainWindowTest, ALevelInProgressComesBackPausedAtTheNextStart) {
    QTemporaryDir state;
    const QByteArray savedState = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    const QString kept = state.path() + "/morvek/level.ini";
    MainWindow::setFixedSeed(std::nullopt);
    openEnglish();
    int32_t col = 0, row = 0;
    ASSERT_TRUE(findCell(CellState::HiddenFilled, col, row));
    click(col, row);
    ASSERT_TRUE(findCell(CellState::HiddenEmpty, col, row));
    click(col, row, Qt::RightButton);
    ASSERT_TRUE(findCell(CellState::HiddenEmpty, col, row));
    click(col, row); // a wrong move: its penalty is kept too
    const GridValues grid = gridNow();
    const int32_t time = mainform->playTime();
    EXPECT_GT(time, 0);
    EXPECT_FALSE(QFileInfo::exists(kept)) << "kept only after a while, or at the close";
    {
        ModalScript yes({messageStep(4, 'y')});
        mainform->close();
    }
    destroyGameWindows(mainform);
    mainform = nullptr;
    ASSERT_TRUE(QFileInfo::exists(kept));

    open();
    EXPECT_EQ(mainform->gameState(), GameState::Paused);
    EXPECT_EQ(gridNow(), grid);
    EXPECT_EQ(mainform->playTime(), time);
    EXPECT_TRUE(mainform->toolBar()->pauseButton()->isEnabled());
    // A click on the board goes on and is no move.
    ASSERT_TRUE(findCell(CellState::HiddenFilled, col, row));
    click(col, row);
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_EQ(gridNow(), grid);
    // Solved, it is kept no more.
    std::vector<std::pair<int32_t, int32_t>> filled;
    while (findCell(CellState::HiddenFilled, col, row)) {
        if (mainform->gameState() == GameState::Solved) break;
        const bool last = [&] {
            int32_t c2 = 0, r2 = 0, count = 0;
            for (r2 = 1; r2 <= mainform->puzzle().rowCount; ++r2)
                for (c2 = 1; c2 <= mainform->puzzle().colCount; ++c2)
                    count += mainform->puzzle().grid[c2][r2] == CellState::HiddenFilled;
            return count == 1;
        }();
        if (last) {
            ModalScript solved({messageStep(1, 'y'), enterName("Kay")});
            click(col, row);
        } else {
            click(col, row);
        }
    }
    EXPECT_EQ(mainform->gameState(), GameState::Solved);
    EXPECT_FALSE(QFileInfo::exists(kept));
    EXPECT_TRUE(unscrambleText(stored(QStringLiteral("hs10"))).endsWith(QStringLiteral(",Kay")));
    qputenv("XDG_STATE_HOME", savedState);
}

// A kept level named by another running copy of the game stays with it; one named by a process
// that is gone, or by some other program that got its number, is taken, and then names this copy.
TEST(LevelKeeperTest, TakesOnlyALevelNoOtherRunningCopyPlays) {
    QTemporaryDir state;
    const QByteArray savedState = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    ASSERT_TRUE(QDir(state.path()).mkpath("morvek"));
    Puzzle board;
    board.colCount = colCountFor(1);
    board.rowCount = rowCountFor(1);
    RandomGenerator random(5);
    generatePuzzle(board, random);
    auto plant = [&](int64_t owner) {
        KeptLevel level;
        level.puzzle = board;
        level.owner = owner;
        const std::string text = keptLevelText(level);
        QFile f(LevelKeeper::fileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.data(), static_cast<qint64>(text.size()));
    };
    auto ownerNow = [] {
        QFile f(LevelKeeper::fileName());
        if (!f.open(QIODevice::ReadOnly)) return QByteArray("<none>");
        const QByteArray text = f.readAll();
        const qsizetype at = text.indexOf("owner=");
        return text.mid(at + 6, text.indexOf('\n', at) - at - 6);
    };
    LevelKeeper keeper([&] {
        KeptLevel level;
        level.puzzle = board;
        return level;
    });
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());

    // Another copy: a process under this program's name.
    const QString copyName =
        state.path() + "/" + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    ASSERT_TRUE(QFile::link("/bin/sleep", copyName));
    QProcess other;
    other.start(copyName, {"30"});
    ASSERT_TRUE(other.waitForStarted());
    plant(other.processId());
    EXPECT_FALSE(keeper.take().has_value());
    EXPECT_EQ(ownerNow(), QByteArray::number(other.processId()));
    // Nor does this copy write over or remove it.
    keeper.keep(true);
    keeper.drop();
    EXPECT_EQ(ownerNow(), QByteArray::number(other.processId()));
    other.kill();
    other.waitForFinished();

    // Gone now, or a number that another program got: taken.
    EXPECT_TRUE(keeper.take().has_value());
    EXPECT_EQ(ownerNow(), self);
    QProcess stranger;
    stranger.start("/bin/sleep", {"30"});
    ASSERT_TRUE(stranger.waitForStarted());
    plant(stranger.processId());
    EXPECT_TRUE(keeper.take().has_value());
    EXPECT_EQ(ownerNow(), self);
    stranger.kill();
    stranger.waitForFinished();

    // Closed, it names nobody; solved, it goes.
    keeper.keep(true);
    EXPECT_EQ(ownerNow(), "0");
    EXPECT_TRUE(keeper.take().has_value());
    keeper.drop();
    EXPECT_EQ(ownerNow(), "<none>");
    qputenv("XDG_STATE_HOME", savedState);
}

// --- Closing ------------------------------------------------------------------------------

TEST_F(MainWindowTest, CloseAsksAndWritesTheOptions) {
    struct Row {
        bool running;
        int32_t message;
    };
    for (const Row& row : {Row{false, 3}, Row{true, 4}}) {
        SCOPED_TRACE(testing::Message() << "running " << row.running);
        freshStart();
        store("tongue", QStringLiteral("1"));
        store("mode", QStringLiteral("3"));
        open();
        if (row.running) click(1, 1, Qt::MiddleButton);
        {
            ModalScript no({messageStep(row.message, 'n')});
            QTest::mouseClick(mainform->toolBar()->exitButton(), Qt::LeftButton);
        }
        EXPECT_TRUE(mainform->isVisible());
        // Nothing is written while the game runs.
        EXPECT_EQ(stored(QStringLiteral("sound")), QStringLiteral("<missing>"));

        mainform->gameOptions().soundOn = false;
        mainform->gameOptions().musicOn = true;
        mainform->gameOptions().tongue = -1;
        mainform->gameOptions().backgroundMode = 5;
        mainform->gameOptions().mode = 7;
        {
            ModalScript yes({messageStep(row.message, 'y')});
            mainform->close();
        }
        EXPECT_FALSE(mainform->isVisible());
        EXPECT_EQ(stored(QStringLiteral("sound")), QStringLiteral("0"));
        EXPECT_EQ(stored(QStringLiteral("tongue")), QStringLiteral("-1"));
        EXPECT_EQ(stored(QStringLiteral("backmode")), QStringLiteral("5"));
        EXPECT_EQ(stored(QStringLiteral("mode")), QStringLiteral("7"));
        // Options this copy left as they were are not written: another copy may have changed
        // them meanwhile.
        EXPECT_EQ(stored(QStringLiteral("music")), QStringLiteral("<missing>"));
        EXPECT_EQ(stored(QStringLiteral("fair")), QStringLiteral("<missing>"));
        // The placement goes with them.
        EXPECT_NE(stored(QStringLiteral("MainForm")), QStringLiteral("<missing>"));
        destroyGameWindows(mainform);
        mainform = nullptr;
    }
}

// Two copies on one settings file: what the other copy stored while this one ran stays, unless
// this copy changed the same option itself.
TEST_F(MainWindowTest, AClosingCopyKeepsTheOtherCopysOptions) {
    store("sound", QStringLiteral("1"));
    store("mode", QStringLiteral("2"));
    openEnglish();
    // The other copy closes first, with its own choices.
    store("sound", QStringLiteral("0"));
    store("backmode", QStringLiteral("4"));
    store("mode", QStringLiteral("6"));
    mainform->gameOptions().mode = 3;
    {
        ModalScript yes({messageStep(3, 'y')});
        mainform->close();
    }
    EXPECT_EQ(stored(QStringLiteral("sound")), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("backmode")), QStringLiteral("4"));
    EXPECT_EQ(stored(QStringLiteral("mode")), QStringLiteral("3"));
    destroyGameWindows(mainform);
    mainform = nullptr;
}

TEST_F(MainWindowTest, OptionsChangeTheStartValuesOfTheNextRun) {
    openEnglish();
    {
        ModalScript options({[](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->optionsDialog()));
            QTest::mouseClick(mainform->optionsDialog()->soundButton(), Qt::LeftButton);
            QTest::mouseClick(mainform->optionsDialog()->backgroundButton(), Qt::LeftButton);
            QTest::mouseClick(mainform->optionsDialog()->backgroundButton(), Qt::LeftButton);
            QTest::mouseClick(mainform->optionsDialog()->fairButton(), Qt::LeftButton);
            QTest::mouseClick(mainform->optionsDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->optionsButton(), Qt::LeftButton);
    }
    {
        ModalScript yes({messageStep(3, 'y')});
        mainform->close();
    }
    destroyGameWindows(mainform);
    mainform = nullptr;
    EXPECT_EQ(stored(QStringLiteral("fair")), QStringLiteral("0"));
    open();
    EXPECT_FALSE(mainform->gameOptions().soundOn);
    EXPECT_FALSE(mainform->gameOptions().fairJudging);
    EXPECT_EQ(mainform->gameOptions().backgroundMode, 2);
}

TEST_F(MainWindowTest, PlacementComesBackAtTheNextStart) {
    openEnglish();
    // Inside the offscreen screen (800 x 600), so that nothing has to be moved onto it.
    mainform->setGeometry(20, 40, 770, 520);
    QCoreApplication::processEvents();
    const QRect placed = mainform->geometry();
    {
        ModalScript yes({messageStep(3, 'y')});
        mainform->close();
    }
    destroyGameWindows(mainform);
    mainform = nullptr;
    open();
    EXPECT_EQ(mainform->geometry(), placed);
}

// A store that cannot be read or written is reported; the game starts with the defaults and
// the player can still leave.
TEST_F(MainWindowTest, StoreFailuresAreReportedAndDoNotTrapThePlayer) {
    QStringList errors;
    Application::errorHook = [&](const QString& text) { errors << text; };
    // A value that is typed, not text.
    {
        QFile file(SettingsStore::defaultFileName());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[common]\ntongue=0\nmode=@Rect(3 4 5 6)\nbackmode=2\n");
    }
    openEnglish();
    EXPECT_EQ(mainform->gameOptions().mode, 1);
    EXPECT_EQ(mainform->gameOptions().backgroundMode, 2);
    EXPECT_EQ(errors, QStringList{QString::fromUtf8("Ungültiger Datentyp für 'mode'")});

    // The store's folder cannot be made: a file stands where it belongs.
    errors.clear();
    const QString folder = QFileInfo(SettingsStore::defaultFileName()).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    {
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    {
        ModalScript yes({messageStep(3, 'y')});
        mainform->close();
    }
    EXPECT_FALSE(mainform->isVisible());
    EXPECT_EQ(errors.size(), 1); // the options and the placement, in one write
    destroyGameWindows(mainform);
    mainform = nullptr;
    EXPECT_EQ(errors.size(), 1);
    Application::errorHook = nullptr;
}

// A window that cannot be built fails the start as a whole: nothing is left half made, and the
// stored placement of the last good run stays.
TEST_F(MainWindowTest, UnreadablePlayerNameIsReportedAndTheGameStarts) {
    {
        // The player's name is typed, not text.
        QFile file(SettingsStore::defaultFileName());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[common]\ntongue=0\nplayer=@ByteArray(a)\n");
    }
    QStringList errors;
    Application::errorHook = [&](const QString& text) { errors << text; };
    mainform = createGameWindows();
    ASSERT_NE(mainform, nullptr);
    ASSERT_NE(mainform->bestListDialog(), nullptr); // the dialogs are built, the name is read
    Application::errorHook = nullptr;
    EXPECT_EQ(errors, QStringList{QString::fromUtf8("Ungültiger Datentyp für 'player'")});
    EXPECT_EQ(mainform->bestListDialog()->playerName(), QStringLiteral("Mr.Brain"));
}

// A stored placement that cannot be read is replaced by a good one when the window goes.
TEST_F(MainWindowTest, UnreadablePlacementIsWrittenAnew) {
    {
        QFile file(SettingsStore::defaultFileName());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[common]\ntongue=0\nMainForm=@Size(200 0)\n");
    }
    mainform = createGameWindows();
    mainform->clockTimer().stop();
    mainform->setTicksByHand(true);
    // The restore fails inside the show; the program's error report takes it there.
    EXPECT_THROW(mainform->show(), SettingsError);
    {
        ModalScript yes({messageStep(3, 'y')});
        mainform->close();
    }
    destroyGameWindows(mainform);
    mainform = nullptr;
    EXPECT_TRUE(stored(QStringLiteral("MainForm")).startsWith(QStringLiteral("200,")));
}

// --- Options through the window ---------------------------------------------------------

TEST_F(MainWindowTest, OptionsChangeBackgroundAndLanguageAtOnce) {
    openEnglish();
    // A point of the background: the margin left of the row clues.
    const QPoint ground(1, mainform->boardBox()->height() - 2);
    std::vector<QRgb> grounds{mainform->boardBox()->surface().pixel(ground)};
    std::vector<QString> labels;
    {
        ModalScript options({[&](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->optionsDialog()));
            for (int i = 0; i < 7; ++i) {
                QTest::mouseClick(mainform->optionsDialog()->backgroundButton(), Qt::LeftButton);
                EXPECT_EQ(mainform->gameOptions().backgroundMode, (i + 1) % 7);
                grounds.push_back(mainform->boardBox()->surface().pixel(ground));
            }
            QTest::mouseClick(mainform->optionsDialog()->languageButton(), Qt::LeftButton);
            labels.push_back(mainform->toolBar()->scoreLabel()->text());
            labels.push_back(mainform->toolBar()->sizeLabel()->text());
            QTest::mouseClick(mainform->optionsDialog()->languageButton(), Qt::LeftButton);
            labels.push_back(mainform->toolBar()->scoreLabel()->text());
            QTest::mouseClick(mainform->optionsDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->optionsButton(), Qt::LeftButton);
    }
    ASSERT_EQ(grounds.size(), 8u);
    EXPECT_NE(grounds[0], grounds[1]);
    EXPECT_EQ(grounds[0], grounds[7]); // seven pictures, then the first again
    EXPECT_EQ(labels, (std::vector<QString>{QStringLiteral("Zeit:"), QString::fromUtf8("Größe:"),
                                            QStringLiteral("Time:")}));
    EXPECT_EQ(mainform->gameOptions().tongue, 0);
}

// --- Music ------------------------------------------------------------------------------

TEST_F(MainWindowTest, TimerStartsTheMusicOnlyWhileItIsOn) {
    store("music", QStringLiteral("0"));
    openEnglish();
    if (!mainform->gameOptions().musicFound) GTEST_SKIP() << "no MIDI playback here";
    EXPECT_FALSE(mainform->gameOptions().musicOn);
    ticks(5);
    EXPECT_FALSE(mainform->music().playing());

    // Switched on in the options: the next file plays; off again: silence.
    std::vector<QString> labels;
    {
        ModalScript options({[&](QWidget*) {
            QTest::mouseClick(mainform->optionsDialog()->musicButton(), Qt::LeftButton);
            labels.push_back(mainform->optionsDialog()->musicLabel()->text());
            EXPECT_TRUE(ticksUntilMusicPlays());
            QTest::mouseClick(mainform->optionsDialog()->musicButton(), Qt::LeftButton);
            labels.push_back(mainform->optionsDialog()->musicLabel()->text());
            EXPECT_FALSE(mainform->music().playing());
            QTest::mouseClick(mainform->optionsDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->optionsButton(), Qt::LeftButton);
    }
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_TRUE(labels[0].startsWith(QStringLiteral("Music: "))) << labels[0].toStdString();
    EXPECT_TRUE(labels[0].endsWith(QStringLiteral(".mid")));
    EXPECT_EQ(labels[1], QStringLiteral("Music is off."));
    ticks(5);
    EXPECT_FALSE(mainform->music().playing());
}

TEST_F(MainWindowTest, TimerStartsTheMusicAtStart) {
    openEnglish();
    if (!mainform->gameOptions().musicFound) GTEST_SKIP() << "no MIDI playback here";
    EXPECT_TRUE(mainform->gameOptions().musicOn);
    EXPECT_FALSE(mainform->music().playing()); // found at creation, started by the timer
    EXPECT_TRUE(ticksUntilMusicPlays()) << mainform->music().lastError().toStdString();
}

TEST_F(MainWindowTest, TimerSleepsWhileNothingNeedsIt) {
    store("music", QStringLiteral("0"));
    store("tongue", QStringLiteral("0"));
    mainform = createGameWindows();
    mainform->setDelayHook([](int32_t) {});
    mainform->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainform));
    // No level running, no music: the first tick finds nothing to do and the timer sleeps.
    EXPECT_TRUE(QTest::qWaitFor([] { return !mainform->clockTimer().isActive(); }, 2000));

    // A press on a cell starts the level, and the clock with it.
    click(1, 1, Qt::MiddleButton);
    ASSERT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_TRUE(mainform->clockTimer().isActive());
    EXPECT_TRUE(QTest::qWaitFor([] { return mainform->playTime() >= 1; }, 5000));

    // The pause keeps the clock still; it runs on after the pause.
    {
        ModalScript pause({[](QWidget* modal) {
            const int32_t time = mainform->playTime();
            QTest::qWait(1300);
            EXPECT_EQ(mainform->playTime(), time);
            QTest::keyClick(modal, Qt::Key_Escape);
        }});
        QTest::mouseClick(mainform->toolBar()->pauseButton(), Qt::LeftButton);
    }
    EXPECT_TRUE(mainform->clockTimer().isActive());

    // A new level stops the clock: the timer sleeps again.
    {
        ModalScript yes({messageStep(4, 'y')});
        QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    }
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    EXPECT_TRUE(QTest::qWaitFor([] { return !mainform->clockTimer().isActive(); }, 2000));

    // Music switched on in the options wakes it until the piece plays; a playing piece needs no
    // ticks (its end wakes the timer), so the timer sleeps again.
    if (!mainform->gameOptions().musicFound) return;
    {
        ModalScript options({[](QWidget*) {
            QTest::mouseClick(mainform->optionsDialog()->musicButton(), Qt::LeftButton);
            EXPECT_TRUE(mainform->clockTimer().isActive());
            EXPECT_TRUE(QTest::qWaitFor([] { return mainform->music().playing(); }, 5000));
            QTest::mouseClick(mainform->optionsDialog()->okButton(), Qt::LeftButton);
        }});
        QTest::mouseClick(mainform->toolBar()->optionsButton(), Qt::LeftButton);
    }
    // (Under a sound system of one device the piece first waits for the effects' device to rest.)
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return mainform->music().playing() && !mainform->clockTimer().isActive(); },
        AudioRestDelayMs + 4000));
}

// --- Rules --------------------------------------------------------------------------------

TEST_F(MainWindowTest, RulesTopicFollowsTheLanguage) {
    struct Row {
        int32_t tongue;
        int topic;
    };
    openEnglish();
    ASSERT_TRUE(HelpViewer::viewers().empty());
    for (const Row& row : {Row{1, 1}, Row{0, 2}, Row{-1, 2}, Row{1, 1}}) {
        SCOPED_TRACE(row.tongue);
        mainform->gameOptions().tongue = row.tongue;
        ModalScript none({});
        QTest::mouseClick(mainform->toolBar()->rulesButton(), Qt::LeftButton);
        const auto viewers = HelpViewer::viewers();
        ASSERT_EQ(viewers.size(), 1u); // the open viewer is reused
        EXPECT_EQ(viewers.front()->topic(), row.topic);
        EXPECT_FALSE(viewers.front()->showsError());
        EXPECT_TRUE(viewers.front()->helpFile().endsWith(QStringLiteral("/mrvk.html")));
        EXPECT_TRUE(viewers.front()->isVisible());
    }
    // Closing the window leaves the viewer open; only the end of the main window closes it.
    {
        ModalScript yes({messageStep(3, 'y')});
        mainform->close();
    }
    EXPECT_EQ(HelpViewer::viewers().size(), 1u);
    destroyGameWindows(mainform);
    mainform = nullptr;
    EXPECT_TRUE(HelpViewer::viewers().empty());
}

// The program's loop ends when the main window closes, even with the rules still open; a
// window left behind would keep a game without its main window alive.
TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgramLoop) {
    openEnglish();
    ModalScript yes({messageStep(3, 'y')});
    bool timedOut = false;
    QTimer::singleShot(0, mainform, [] {
        QTest::mouseClick(mainform->toolBar()->rulesButton(), Qt::LeftButton);
        ASSERT_EQ(HelpViewer::viewers().size(), 1u);
        QTest::mouseClick(mainform->toolBar()->exitButton(), Qt::LeftButton);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    guard.start(5000);
    QApplication::setQuitOnLastWindowClosed(true);
    const int result = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(mainform->isVisible());
}

// --- Keyboard play ------------------------------------------------------------------------

// A key as a player types it on the board, modifier keys included.
void typeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(mainform->boardBox(), key, modifiers);
}

// An arrow with Shift held down all along: no Shift press or release of its own.
void shiftArrow(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::ShiftModifier);
    QApplication::sendEvent(mainform->boardBox(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::ShiftModifier);
    QApplication::sendEvent(mainform->boardBox(), &release);
}

void shiftUp() {
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(mainform->boardBox(), &release);
}

// Puts the cursor on a cell with the keys alone.
void cursorTo(int32_t col, int32_t row) {
    if (!mainform->boardCursor().visible) typeKey(Qt::Key_Right);
    typeKey(Qt::Key_Home);
    typeKey(Qt::Key_PageUp);
    for (int32_t c = 1; c < col; ++c)
        typeKey(Qt::Key_Right);
    for (int32_t r = 1; r < row; ++r)
        typeKey(Qt::Key_Down);
    ASSERT_TRUE(mainform->boardCursor().isAt(col, row));
}

// The frame: two pixels of yellow along the cell's edge, one dark pixel inside them, and the
// cell's own picture untouched further in.
void expectFrame(int32_t col, int32_t row, const QImage& withoutCursor) {
    SCOPED_TRACE(testing::Message() << "frame on " << col << "," << row);
    const QImage cell = cellPixels(col, row);
    const QImage plain = withoutCursor.copy(cellRect(col, row));
    const int s = cell.width();
    const QRgb yellow = 0xFF000000u | CursorYellow, dark = 0xFF000000u | CursorOutline;
    int wrong = 0;
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const int edge = std::min({x, y, s - 1 - x, s - 1 - y});
            const QRgb want = edge < 2 ? yellow : edge == 2 ? dark : plain.pixel(x, y);
            if (cell.pixel(x, y) != want) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
}

// The clue slots of one row or column: how many pixels show each colour of numbers.
struct ClueInk {
    int yellow = 0, white = 0;
};
ClueInk inkIn(const QRect& panel) {
    const QImage part = mainform->boardBox()->surface().copy(panel);
    ClueInk ink;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            ink.yellow += part.pixel(x, y) == (0xFF000000u | CursorYellow);
            ink.white += part.pixel(x, y) == 0xFFFFFFFFu;
        }
    return ink;
}
ClueInk rowClueInk(int32_t row) {
    const BoardLayout& l = mainform->boardLayoutNow();
    return inkIn(QRect(l.boardLeft - mainform->puzzle().maxRowClues * l.cellSize,
                       l.boardTop + (row - 1) * l.cellSize,
                       mainform->puzzle().maxRowClues * l.cellSize, l.cellSize));
}
ClueInk colClueInk(int32_t col) {
    const BoardLayout& l = mainform->boardLayoutNow();
    return inkIn(QRect(l.boardLeft + (col - 1) * l.cellSize,
                       l.boardTop - mainform->puzzle().maxColClues * l.cellSize, l.cellSize,
                       mainform->puzzle().maxColClues * l.cellSize));
}

void expectLit(bool lit, const ClueInk& ink) {
    if (lit) {
        EXPECT_GT(ink.yellow, 0);
        EXPECT_EQ(ink.white, 0);
    } else {
        EXPECT_EQ(ink.yellow, 0);
        EXPECT_GT(ink.white, 0);
    }
}

TEST_F(MainWindowTest, CursorShowsOnlyAfterAnArrowAndLightsItsClues) {
    openEnglish();
    const QImage today = mainform->boardBox()->surface().copy();

    // Until an arrow key comes, no key changes the picture or the game.
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_X, Qt::Key_Delete,
                              Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_A})
        typeKey(key);
    EXPECT_FALSE(mainform->boardCursor().visible);
    EXPECT_EQ(mainform->boardBox()->surface(), today);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);

    // The first arrow shows the cursor on the top-left cell, whichever arrow it is.
    typeKey(Qt::Key_Down);
    ASSERT_TRUE(mainform->boardCursor().isAt(1, 1));
    expectFrame(1, 1, today);
    expectLit(true, rowClueInk(1));
    expectLit(true, colClueInk(1));
    expectLit(false, rowClueInk(2));
    expectLit(false, colClueInk(2));
    EXPECT_EQ(cellPixels(2, 1), today.copy(cellRect(2, 1)));

    // Moving on leaves the old cell and its column as they were.
    typeKey(Qt::Key_Right);
    expectFrame(2, 1, today);
    EXPECT_EQ(cellPixels(1, 1), today.copy(cellRect(1, 1)));
    expectLit(false, colClueInk(1));
    expectLit(true, colClueInk(2));
    expectLit(true, rowClueInk(1));

    // Wrapping at the edges, and the jumps to the ends of the row and the column.
    typeKey(Qt::Key_Up);
    EXPECT_TRUE(mainform->boardCursor().isAt(2, mainform->puzzle().rowCount));
    expectLit(false, rowClueInk(1));
    expectLit(true, rowClueInk(mainform->puzzle().rowCount));
    typeKey(Qt::Key_End);
    EXPECT_TRUE(
        mainform->boardCursor().isAt(mainform->puzzle().colCount, mainform->puzzle().rowCount));
    typeKey(Qt::Key_Right);
    EXPECT_TRUE(mainform->boardCursor().isAt(1, mainform->puzzle().rowCount));
    typeKey(Qt::Key_PageUp);
    EXPECT_TRUE(mainform->boardCursor().isAt(1, 1));
    typeKey(Qt::Key_PageDown);
    typeKey(Qt::Key_Home);
    EXPECT_TRUE(mainform->boardCursor().isAt(1, mainform->puzzle().rowCount));

    // A whole repaint (the pause, a new background) keeps the cursor.
    mainform->repaintAll();
    expectFrame(1, mainform->puzzle().rowCount, today);
    expectLit(true, rowClueInk(mainform->puzzle().rowCount));

    // A mouse press on the board, even off the cells, hides it: the board is today's again.
    const BoardLayout& l = mainform->boardLayoutNow();
    QTest::mouseClick(mainform->boardBox(), Qt::LeftButton, {}, QPoint(l.boardLeft - 2, 2));
    EXPECT_FALSE(mainform->boardCursor().visible);
    EXPECT_EQ(mainform->boardBox()->surface(), today);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    // Space does nothing until the next arrow, which shows the cursor where it was.
    typeKey(Qt::Key_Space);
    EXPECT_EQ(mainform->boardBox()->surface(), today);
    typeKey(Qt::Key_Left);
    EXPECT_TRUE(mainform->boardCursor().isAt(1, mainform->puzzle().rowCount));
}

TEST_F(MainWindowTest, KeyboardMovesAreJudgedLikePresses) {
    openEnglish();
    int32_t col = 0, row = 0;
    ASSERT_TRUE(findCell(CellState::HiddenFilled, col, row));
    cursorTo(col, row);
    EXPECT_EQ(mainform->gameState(), GameState::Ready); // moving the cursor is no move
    typeKey(Qt::Key_Space);
    EXPECT_EQ(mainform->puzzle().grid[col][row], CellState::Uncovered);
    EXPECT_EQ(mainform->gameState(), GameState::Running);
    EXPECT_TRUE(mainform->toolBar()->pauseButton()->isEnabled());
    EXPECT_FALSE(mainform->dragging());
    // The uncovered tile shows under the frame (its black edge at 3, 3).
    EXPECT_EQ(cellPixels(col, row).pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(cellPixels(col, row).pixel(0, 0), 0xFF000000u | CursorYellow);

    struct Row {
        Qt::Key key;
        int32_t state;  // the cell the key goes to
        int32_t after;  // its state afterwards
        int32_t charge; // seconds added
    };
    const Row rows[] = {
        {Qt::Key_Return, CellState::HiddenFilled, CellState::Uncovered, 0},
        {Qt::Key_X, CellState::HiddenEmpty, CellState::MarkedEmpty, 0},
        {Qt::Key_Delete, CellState::HiddenEmpty, CellState::MarkedEmpty, 0},
        {Qt::Key_Space, CellState::HiddenEmpty, CellState::HiddenEmpty, 33},
        {Qt::Key_X, CellState::HiddenFilled, CellState::HiddenFilled, 33},
        {Qt::Key_Space, CellState::Uncovered, CellState::Uncovered, 0},
        {Qt::Key_Delete, CellState::MarkedEmpty, CellState::MarkedEmpty, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "key " << r.key << " on state " << r.state);
        ASSERT_TRUE(findCell(r.state, col, row));
        cursorTo(col, row);
        const int32_t before = mainform->playTime();
        // Every frame of a flash is drawn with the cursor over it.
        int waits = 0, framesWithoutCursor = 0;
        mainform->setDelayHook([&, c = col, rr = row](int32_t) {
            ++waits;
            framesWithoutCursor += cellPixels(c, rr).pixel(0, 0) != (0xFF000000u | CursorYellow);
        });
        typeKey(r.key);
        mainform->setDelayHook([](int32_t) {});
        EXPECT_EQ(mainform->puzzle().grid[col][row], r.after);
        EXPECT_EQ(mainform->playTime(), before + r.charge);
        EXPECT_TRUE(toolBarShowsTime(mainform->playTime()));
        EXPECT_TRUE(r.charge == 0 || waits > 0); // a wrong move flashes
        EXPECT_EQ(framesWithoutCursor, 0);
        EXPECT_EQ(cellPixels(col, row).pixel(2, 2), 0xFF000000u | CursorOutline);
    }
    // A held key does not repeat a move.
    ASSERT_TRUE(findCell(CellState::HiddenEmpty, col, row));
    cursorTo(col, row);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(mainform->boardBox(), &repeat);
    EXPECT_EQ(mainform->puzzle().grid[col][row], CellState::HiddenEmpty);
}

TEST_F(MainWindowTest, ShiftArrowsUncoverLikeADragAndStopAtAnEmptyCell) {
    openEnglish();
    // The first row made to order: filled, filled, empty, then filled.
    for (int32_t c = 1; c <= mainform->puzzle().colCount; ++c)
        mainform->puzzle().grid[c][1] = c == 3 ? CellState::HiddenEmpty : CellState::HiddenFilled;
    mainform->repaintAll();
    typeKey(Qt::Key_Right); // shows the cursor on 1,1

    shiftArrow(Qt::Key_Right); // enters 2,1: uncovered
    shiftArrow(Qt::Key_Right); // enters 3,1: a wrong move, the drag ends
    shiftArrow(Qt::Key_Right); // enters 4,1: only the cursor moves
    EXPECT_EQ(mainform->puzzle().grid[1][1],
              CellState::HiddenFilled); // where the drag began is not entered
    EXPECT_EQ(mainform->puzzle().grid[2][1], CellState::Uncovered);
    EXPECT_EQ(mainform->puzzle().grid[3][1], CellState::HiddenEmpty);
    EXPECT_EQ(mainform->puzzle().grid[4][1], CellState::HiddenFilled);
    EXPECT_EQ(mainform->playTime(), 33);
    EXPECT_EQ(mainform->gameState(), GameState::Running);

    // Shift let go and held again: a new drag.
    shiftUp();
    shiftArrow(Qt::Key_Right);
    EXPECT_EQ(mainform->puzzle().grid[5][1], CellState::Uncovered);
    EXPECT_TRUE(mainform->boardCursor().isAt(5, 1));
    EXPECT_EQ(mainform->playTime(), 33);
    EXPECT_FALSE(mainform->dragging());
}

TEST_F(MainWindowTest, ToolBarKeysDoWhatTheClicksDo) {
    openEnglish();
    const auto keyName = [](Qt::Key key, Qt::KeyboardModifiers mods) {
        return QKeySequence(key | mods).toString().toStdString();
    };
    // New game on a ready level: a new board, no question.
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_F2, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_N, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        SCOPED_TRACE(keyName(key, mods));
        ModalScript none({});
        const GridValues before = gridNow();
        typeKey(key, mods);
        EXPECT_NE(gridNow(), before);
        EXPECT_EQ(mainform->gameState(), GameState::Ready);
    }
    // Pause on a ready level does nothing.
    {
        ModalScript none({});
        typeKey(Qt::Key_P);
        EXPECT_EQ(mainform->gameState(), GameState::Ready);
    }

    click(1, 1, Qt::MiddleButton);
    const GridValues running = gridNow();
    // While a level runs, a new game asks first; No keeps it.
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_F2, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_N, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        SCOPED_TRACE(keyName(key, mods));
        ModalScript no({messageStep(4, 'n')});
        typeKey(key, mods);
        EXPECT_EQ(gridNow(), running);
        EXPECT_EQ(mainform->gameState(), GameState::Running);
    }
    // P and the Pause key: the pause message, the clock stands.
    for (const Qt::Key key : {Qt::Key_P, Qt::Key_Pause}) {
        SCOPED_TRACE(keyName(key, {}));
        ModalScript pause({messageStep(
            12, Qt::Key_Escape, [] { EXPECT_EQ(mainform->gameState(), GameState::Paused); })});
        typeKey(key);
        EXPECT_EQ(mainform->gameState(), GameState::Running);
    }
    // F3: the best list of this size to look at; F5: the options; Ctrl+I: the information.
    {
        ModalScript best({[](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->bestListDialog()));
            EXPECT_FALSE(mainform->bestListDialog()->nameEdit()->isVisible());
            QTest::mouseClick(mainform->bestListDialog()->okButton(), Qt::LeftButton);
        }});
        typeKey(Qt::Key_F3);
    }
    {
        ModalScript options({[](QWidget* modal) {
            EXPECT_EQ(modal, static_cast<QWidget*>(mainform->optionsDialog()));
            QTest::mouseClick(mainform->optionsDialog()->okButton(), Qt::LeftButton);
        }});
        typeKey(Qt::Key_F5);
    }
    {
        ModalScript info({[](QWidget* modal) {
            EXPECT_NE(qobject_cast<InfoDialog*>(modal), nullptr);
            QTest::keyClick(modal, Qt::Key_Escape);
        }});
        typeKey(Qt::Key_I, Qt::ControlModifier);
    }
    // F1: the rules in the player's language.
    {
        ModalScript none({});
        typeKey(Qt::Key_F1);
        ASSERT_EQ(HelpViewer::viewers().size(), 1u);
        EXPECT_EQ(HelpViewer::viewers().front()->topic(), 2);
    }
    // F4 and Shift+F4: the size ring both ways, asking first while a level runs.
    {
        ModalScript yes({messageStep(4, 'y')});
        typeKey(Qt::Key_F4);
    }
    EXPECT_EQ(mainform->gameOptions().mode, 2);
    EXPECT_EQ(mainform->gameState(), GameState::Ready);
    {
        ModalScript none({});
        typeKey(Qt::Key_F4, Qt::ShiftModifier);
        EXPECT_EQ(mainform->gameOptions().mode, 1);
        typeKey(Qt::Key_F4, Qt::ShiftModifier);
        EXPECT_EQ(mainform->gameOptions().mode, 9);
        EXPECT_EQ(mainform->puzzle().colCount, 34);
        typeKey(Qt::Key_F4);
        EXPECT_EQ(mainform->gameOptions().mode, 1);
    }
    // Escape and Ctrl+Q: the question before leaving; No stays.
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_Escape, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_Q, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        SCOPED_TRACE(keyName(key, mods));
        ModalScript no({messageStep(3, 'n')});
        typeKey(key, mods);
        EXPECT_TRUE(mainform->isVisible());
    }
    // A held key does not repeat a button.
    {
        ModalScript none({});
        const GridValues before = gridNow();
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(mainform->boardBox(), &repeat);
        EXPECT_EQ(gridNow(), before);
    }
    // With the real answer, Escape leaves the game.
    {
        ModalScript yes({messageStep(3, 'y')});
        typeKey(Qt::Key_Escape);
    }
    EXPECT_FALSE(mainform->isVisible());
}

// The board keeps the keyboard: the buttons never take the focus from it.
// Compositors that place windows themselves (Wayland) centre a dialog over the window it
// belongs to only when they are told which one that is.
TEST_F(MainWindowTest, DialogsBelongToTheMainWindow) {
    openEnglish();
    const std::vector<QDialog*> dialogs{mainform->messageDialog(), mainform->optionsDialog(),
                                        mainform->bestListDialog()};
    for (QDialog* dialog : dialogs) {
        SCOPED_TRACE(dialog->metaObject()->className());
        dialog->show();
        ASSERT_NE(dialog->windowHandle(), nullptr);
        EXPECT_EQ(dialog->windowHandle()->transientParent(), mainform->windowHandle());
        dialog->hide();
    }
}

TEST_F(MainWindowTest, BoardKeepsTheFocus) {
    openEnglish();
    mainform->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainform));
    EXPECT_EQ(QApplication::focusWidget(), mainform->boardBox());
    ModalScript none({});
    QTest::mouseClick(mainform->toolBar()->startButton(), Qt::LeftButton);
    QTest::mouseClick(mainform->toolBar()->levelButton(), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), mainform->boardBox());
    // Tab has nowhere else to go.
    QTest::keyClick(mainform->boardBox(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), mainform->boardBox());
}

// What a screen reader hears: names and descriptions in the player's language, the counters'
// values, and the cell under the cursor.
TEST_F(MainWindowTest, ScreenReaderNames) {
    openEnglish();
    const auto name = [](QWidget* w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
    };
    const auto description = [](QWidget* w) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        return iface ? iface->text(QAccessible::Description) : QStringLiteral("<none>");
    };
    struct Row {
        ImageButton* button;
        const char* en;
        const char* de;
    };
    const Row rows[] = {
        {mainform->toolBar()->startButton(), "New game", "Neues Spiel"},
        {mainform->toolBar()->pauseButton(), "Pause", "Pause"},
        {mainform->toolBar()->bestListButton(), "Best list", "Bestenliste"},
        {mainform->toolBar()->levelButton(), "Board size", "Spielfeldgröße"},
        {mainform->toolBar()->optionsButton(), "Options", "Einstellungen"},
        {mainform->toolBar()->infoButton(), "Information", "Information"},
        {mainform->toolBar()->rulesButton(), "Rules", "Spielregeln"},
        {mainform->toolBar()->exitButton(), "Exit", "Beenden"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(r.button)->role(), QAccessible::Button);
        EXPECT_EQ(name(r.button), QString::fromUtf8(r.en));
        // The description is the hint, key included.
        EXPECT_EQ(description(r.button), r.button->hint());
    }
    EXPECT_EQ(description(mainform->toolBar()->startButton()),
              QStringLiteral("I want to start again. (F2)"));
    EXPECT_EQ(name(mainform->boardBox()), QStringLiteral("Board"));
    EXPECT_TRUE(description(mainform->boardBox()).contains(QStringLiteral("Space")));
    EXPECT_EQ(name(mainform->toolBar()->scoreLabel()), QStringLiteral("Time: 0 seconds"));
    EXPECT_EQ(name(mainform->toolBar()->sizeLabel()), QStringLiteral("Size: 10 by 7"));

    // The cursor: its cell becomes the board's name, which a screen reader reads out when it
    // changes (the offscreen platform has no screen reader to watch that happen).
    typeKey(Qt::Key_Right);
    const QString first = name(mainform->boardBox());
    EXPECT_EQ(first, cellText(false, mainform->puzzle(), 1, 1));
    EXPECT_TRUE(first.startsWith(QStringLiteral("row 1, column 1, hidden; row clues ")));
    typeKey(Qt::Key_Down);
    EXPECT_TRUE(name(mainform->boardBox()).startsWith(QStringLiteral("row 2, column 1, hidden;")));
    // A move changes what it says about the cell.
    int32_t col = 0, row = 0;
    ASSERT_TRUE(findCell(CellState::HiddenFilled, col, row));
    cursorTo(col, row);
    typeKey(Qt::Key_Space);
    EXPECT_TRUE(name(mainform->boardBox()).contains(QStringLiteral(", uncovered;")));
    ticks(10);
    EXPECT_EQ(name(mainform->toolBar()->scoreLabel()), QStringLiteral("Time: 1 second"));

    // German: every name changes at once.
    mainform->gameOptions().tongue = 1;
    mainform->setMainTexts();
    for (const Row& r : rows) {
        EXPECT_EQ(name(r.button), QString::fromUtf8(r.de));
        EXPECT_EQ(description(r.button), r.button->hint());
    }
    EXPECT_TRUE(
        name(mainform->boardBox())
            .startsWith(QStringLiteral("Zeile %1, Spalte %2, aufgedeckt;").arg(row).arg(col)));
    EXPECT_TRUE(description(mainform->boardBox()).contains(QStringLiteral("Leertaste")));
    EXPECT_EQ(name(mainform->toolBar()->scoreLabel()), QStringLiteral("Zeit: 1 Sekunde"));
    EXPECT_EQ(name(mainform->toolBar()->sizeLabel()), QString::fromUtf8("Größe: 10 mal 7"));
    // The mouse takes over: the board is the board again.
    click(col, row, Qt::MiddleButton);
    EXPECT_EQ(name(mainform->boardBox()), QStringLiteral("Spielfeld"));
}

// Modifiers choose: Shift only where it means something, Ctrl only for its three keys, and
// nothing with Alt (Alt+F4 belongs to the window manager). The number pad counts as the keys.
TEST(KeyCommands, ModifiersAndNumberPad) {
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        KeyCommand want;
    } cases[] = {
        {Qt::Key_Left, Qt::ShiftModifier, KeyCommand::CursorLeft},
        {Qt::Key_Left, Qt::KeypadModifier, KeyCommand::CursorLeft},
        {Qt::Key_Enter, Qt::KeypadModifier, KeyCommand::Uncover},
        {Qt::Key_Left, Qt::ControlModifier, KeyCommand::None},
        {Qt::Key_F4, Qt::AltModifier, KeyCommand::None},
        {Qt::Key_F4, Qt::ShiftModifier, KeyCommand::PreviousSize},
        {Qt::Key_F2, Qt::ShiftModifier, KeyCommand::None},
        {Qt::Key_P, Qt::ShiftModifier, KeyCommand::None},
        {Qt::Key_Space, Qt::ShiftModifier, KeyCommand::None},
        {Qt::Key_Q, Qt::NoModifier, KeyCommand::None},
        {Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, KeyCommand::None},
        {Qt::Key_I, Qt::ControlModifier, KeyCommand::Info},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.mods).toString().toStdString());
        EXPECT_EQ(keyCommand(c.key, c.mods), c.want);
    }
}

} // namespace
