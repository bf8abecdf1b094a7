// SPDX-License-Identifier: MIT
// The main window: tool bar, board and the game's flow from start-up to close.
#include "app/MainWindow.h"

#include "app/GameWindows.h"
#include "app/ToolBar.h"
#include "app/WindowEffects.h"
#include "audio/Audio.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "dialogs/AccessibleTexts.h"
#include "dialogs/BestListDialog.h"
#include "dialogs/InfoDialog.h"
#include "dialogs/LanguageDialog.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/Messages.h"
#include "dialogs/OptionsDialog.h"
#include "logic/Version.h"
#include "platform/Application.h"
#include "platform/Installation.h"
#include "platform/TextScrambler.h"
#include "platform/WindowPlacement.h"
#include "platform/help/HelpControl.h"
#include "platform/help/HelpSystem.h"
#include "platform/widgets/HintBalloon.h"
#include "platform/widgets/ImageButton.h"
#include "view/BoardPainter.h"
#include "view/Counters.h"
#include "view/Delay.h"
#include "view/DialogImages.h"
#include "view/ImageSet.h"
#include "view/PaintBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

std::optional<uint32_t> MainWindow::s_fixedSeed;

namespace {

constexpr int TickMs = 100;

// A store failure while reading a start-up value: the player is told, the default stands.
template <typename Read, typename T> T readOrDefault(Read read, T fallback) {
    try {
        return read();
    } catch (const SettingsError& e) {
        Application::reportError(e.text());
        return fallback;
    }
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), m_dataFolder(gameDataFolder(QCoreApplication::applicationDirPath())),
      m_images(loadMainBitmaps()) {
    buildWidgets();
    setUpGame();
}

MainWindow::~MainWindow() {
    // Placement first, while the window still has its geometry; then our own clean-up. A window
    // that never came on screen (its start failed) must not overwrite the stored placement.
    if (m_wasShown && !m_hasLeft) {
        try {
            m_placement->savePlacement();
        } catch (const SettingsError& e) {
            Application::reportError(e.text());
        }
    }
    closeHelp();
    // The dialogs draw from the shared images, which go with this window's members: the
    // dialogs go first.
    delete m_messageDialog;
    delete m_languageDialog;
    delete m_optionsDialog;
    delete m_bestListDialog;
}

void MainWindow::buildWidgets() {
    resize(702, 462);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);
    // The tool bar hints help most when the window is not focused yet, too.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    m_toolBar = new ToolBar(m_images, this);
    m_toolBar->setGeometry(0, 0, width(), ToolBarHeight);
    m_boardBox = new PaintBox(this);
    m_boardBox->setGeometry(0, ToolBarHeight, width(), height() - ToolBarHeight);
    m_boardBox->setMouseTracking(true);
    // The board takes the keyboard; the buttons never take the focus from it.
    m_boardBox->setFocusPolicy(Qt::StrongFocus);
    m_boardBox->setFocus();

    connect(m_toolBar, &ToolBar::startClicked, this, [this] { onStartClicked(); });
    connect(m_toolBar, &ToolBar::pauseClicked, this, [this] { onPauseClicked(); });
    connect(m_toolBar, &ToolBar::bestListClicked, this, [this] { onBestListClicked(); });
    connect(m_toolBar, &ToolBar::levelPressed, this,
            [this](Qt::MouseButton b) { onLevelPressed(b); });
    connect(m_toolBar, &ToolBar::optionsClicked, this, [this] { onOptionsClicked(); });
    connect(m_toolBar, &ToolBar::infoClicked, this, [this] { onInfoClicked(); });
    connect(m_toolBar, &ToolBar::rulesClicked, this, [this] { onRulesClicked(); });
    connect(m_toolBar, &ToolBar::exitClicked, this, [this] { onExitClicked(); });

    connect(m_boardBox, &PaintBox::mousePressed, this,
            [this](Qt::MouseButton b, int32_t x, int32_t y) {
                // The mouse takes over: the keyboard's cursor hides until the next arrow key.
                m_keyboard->hide();
                boxMouseDown(b, x, y);
            });
    connect(m_boardBox, &PaintBox::mouseMoved, this,
            [this](Qt::MouseButtons, int32_t x, int32_t y) { boxMouseMove(x, y); });
    connect(m_boardBox, &PaintBox::mouseReleased, this, [this] { boxMouseUp(); });
    connect(m_boardBox, &PaintBox::resized, this, [this] { relayOut(); });
    connect(m_toolBar, &PaintBox::resized, this, [this] { paintToolBar(); });

    m_clockTimer.setInterval(TickMs);
    connect(&m_clockTimer, &QTimer::timeout, this, [this] {
        // A wake-up's first tick was shortened to meet the grid; the rest are whole.
        if (m_clockTimer.interval() != TickMs) m_clockTimer.setInterval(TickMs);
        onTimerTick();
        // Waking 10 times a second for nothing keeps the processor from resting.
        if (!timerNeeded()) m_clockTimer.stop();
    });
    m_clockTimer.start();
    m_timerEpoch.start();

    m_sounds = std::make_unique<SoundPlayer>(m_options);
    m_music = std::make_unique<MusicPlayer>(m_options, m_dataFolder);
    // A finished load or an ended piece wakes the sleeping timer: its next tick goes on.
    m_music->setWakeHook([this] {
        QMetaObject::invokeMethod(
            this, [this] { wakeTimer(); }, Qt::QueuedConnection);
    });
    m_placement = std::make_unique<WindowPlacement>(this, m_settings);
    m_placement->keepOnScreenHeight = ToolBarHeight;
    m_hintBalloon = std::make_unique<HintBalloon>();
    m_painter = std::make_unique<BoardPainter>(m_puzzle, m_images, *m_boardBox);
    m_effects = std::make_unique<WindowEffects>(*this);
    m_rules = std::make_unique<BoardRules>(m_puzzle, m_painter->layout(), m_gameState,
                                           m_clock.playTime(), m_options, *m_effects);
    m_keyboard = std::make_unique<KeyboardPlay>(*m_rules, m_puzzle, *m_effects);
    m_keeper = std::make_unique<LevelKeeper>([this] { return keptLevelNow(); }, this);
    m_painter->setCursor(&m_keyboard->cursor());
}

void MainWindow::setUpGame() {
    setupScrambler();
    setWindowTitle(QStringLiteral("Morvek V") + QLatin1String(MorvekVersion));
    m_helpSystem =
        std::make_unique<HelpSystem>(m_dataFolder + QStringLiteral("mrvk.html"), 0, QString());

    m_options.tongue = readOrDefault([&] { return m_settings.readNumber(Setting::tongue); },
                                     Setting::tongue.numberDefault);
    m_options.soundOn = readOrDefault([&] { return m_settings.readFlag(Setting::sound); }, true);
    m_options.musicOn = readOrDefault([&] { return m_settings.readFlag(Setting::music); }, true);
    m_options.fairJudging = readOrDefault([&] { return m_settings.readFlag(Setting::fair); }, true);
    m_options.backgroundMode =
        readOrDefault([&] { return m_settings.readNumber(Setting::backMode); }, 0);
    m_options.mode = readOrDefault([&] { return m_settings.readNumber(Setting::mode); }, 1);
    // Stored values are not to be trusted: bring them into range once, here.
    if (m_options.backgroundMode < 0 || m_options.backgroundMode > 6) m_options.backgroundMode = 0;
    m_options.mode = clampMode(m_options.mode);
    m_storedOptions = storableOptions();

    m_music->start();

    if (s_fixedSeed)
        m_random.seed = *s_fixedSeed;
    else
        m_random.randomize();
    // A seed of the player's own plays that seed's boards and leaves the kept level for later.
    m_keeper->setEnabled(!s_fixedSeed);

    prepareBackground();
    if (const std::optional<KeptLevel> kept = m_keeper->take())
        resumeKeptLevel(*kept);
    else
        newLevel();
    setMainTexts();
}

void MainWindow::setVisible(bool visible) {
    // Noted before the show itself, which a failing placement restore may cut short.
    if (visible) m_wasShown = true;
    QWidget::setVisible(visible);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The language question needs the window on screen first, so it follows the show.
    if (m_firstShow) QTimer::singleShot(0, this, [this] { onFirstShow(); });
    // The dialogs are built once the board's first frame is on screen.
    if (!m_messageDialog) m_boardBox->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_boardBox && event->type() == QEvent::Paint) {
        m_boardBox->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            createDialogs();
            emit firstFramePainted();
        });
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::onFirstShow() {
    if (!m_firstShow) return;
    m_firstShow = false;
    m_options.tongue =
        readOrDefault([&] { return m_settings.readNumber(Setting::tongue); }, m_options.tongue);
    m_storedOptions[0].second = QString::number(m_options.tongue);
    if (m_options.tongue == Tongue::Unchosen) {
        languageDialog()->showModal();
        setMainTexts();
    }
}

void MainWindow::newLevel() {
    // The level before is over: it is no longer kept.
    m_keeper->drop();
    m_gameState = GameState::Ready;
    m_clock.restart(0);
    m_puzzle.colCount = colCountFor(m_options.mode);
    m_puzzle.rowCount = rowCountFor(m_options.mode);
    generatePuzzle(m_puzzle, m_random);
    showLevel(m_random.random(4) + 1);
}

void MainWindow::showLevel(int32_t tileStyle) {
    m_painter->computeLayout();
    m_painter->setTileStyle(tileStyle);
    m_painter->prepareTile();
    m_toolBar->pauseButton()->setEnabled(m_gameState == GameState::Paused);
    m_keyboard->newLevel();
    paint();
    m_rules->endDrag();
    updateBoardName();
}

void MainWindow::resumeKeptLevel(const KeptLevel& kept) {
    m_options.mode = kept.mode;
    m_puzzle = kept.puzzle;
    m_clock.restart(kept.playTime);
    m_random.seed = kept.randomState;
    // Paused as the pause button leaves it: clues hidden, clock stopped, the time as it was.
    m_gameState = GameState::Paused;
    showLevel(kept.tileStyle);
}

KeptLevel MainWindow::keptLevelNow() const {
    KeptLevel kept;
    kept.puzzle = m_puzzle;
    kept.mode = clampMode(m_options.mode);
    kept.playTime = m_clock.playTime();
    kept.randomState = m_random.seed;
    kept.tileStyle = m_painter->tileStyle();
    return kept;
}

bool MainWindow::levelInProgress() const {
    return m_gameState == GameState::Running || m_gameState == GameState::Paused;
}

bool MainWindow::resumeIfPaused() {
    if (m_gameState != GameState::Paused) return false;
    m_gameState = GameState::Running;
    wakeTimer();
    repaintAll();
    return true;
}

void MainWindow::levelSolved() {
    m_keeper->drop();
    // Keys and clicks that the last animation held back were meant for the board, not for the
    // boxes that follow.
    discardHeldInput();
    messageDialog()->showMsg(Message::Solved);
    // A best list that cannot be read is reported; the solved level still ends properly.
    try {
        bestListDialog()->setIniString(QStringLiteral("hs%1").arg(m_options.mode));
        bestListDialog()->showModal(m_clock.playTime(), false);
    } catch (const SettingsError& e) {
        Application::reportError(e.text());
    }
    m_toolBar->pauseButton()->setEnabled(false);
    setMainTexts();
}

void MainWindow::onTimerTick() {
    // The clock does not run while an animation waits; it catches up one tick afterwards.
    const GameClock::Tick tick = m_clock.tick(m_gameState == GameState::Running);
    if (tick == GameClock::Tick::Held) return;
    if (tick == GameClock::Tick::Second) drawTime();
    if (m_options.musicFound && m_options.musicOn) m_music->tick();
}

bool MainWindow::timerNeeded() const {
    // A playing piece needs no ticks: its end wakes the timer.
    return m_gameState == GameState::Running ||
           (m_options.musicFound && m_options.musicOn && m_music->needsTicks());
}

void MainWindow::wakeTimer() {
    if (m_ticksByHand || m_hasLeft || m_clockTimer.isActive() || !timerNeeded()) return;
    // The next tick falls where it would have fallen had the timer run on.
    const qint64 intoTick = m_timerEpoch.isValid() ? m_timerEpoch.elapsed() % TickMs : 0;
    m_clockTimer.start(static_cast<int>(TickMs - intoTick));
}

void MainWindow::onStartClicked() {
    if (levelInProgress()) {
        if (messageDialog()->showMsg(Message::GiveUpGame) == ResultNo) return;
        repaintAll();
    }
    newLevel();
}

void MainWindow::onPauseClicked() {
    // A kept level comes back paused: the pause button goes on with it.
    if (resumeIfPaused()) return;
    if (m_gameState != GameState::Running) return;
    m_gameState = GameState::Paused;
    repaintAll();
    messageDialog()->showMsg(Message::Paused);
    m_gameState = GameState::Running;
    wakeTimer();
    repaintAll();
}

void MainWindow::onBestListClicked() {
    bestListDialog()->setIniString(QStringLiteral("hs%1").arg(m_options.mode));
    bestListDialog()->showModal(m_clock.playTime(), true);
}

void MainWindow::onLevelPressed(Qt::MouseButton button) {
    if (levelInProgress() && messageDialog()->showMsg(Message::GiveUpGame) == ResultNo) return;
    if (button == Qt::LeftButton)
        m_options.mode = m_options.mode >= MaxMode ? MinMode : m_options.mode + 1;
    else
        m_options.mode = m_options.mode <= MinMode ? MaxMode : m_options.mode - 1;
    newLevel();
}

void MainWindow::onOptionsClicked() {
    optionsDialog()->showModal();
}

void MainWindow::onInfoClicked() {
    InfoDialog info(this, m_options, *m_dialogImages);
    info.exec();
}

void MainWindow::onRulesClicked() {
    appHelpContext(m_options.isGerman() ? HelpTopic::RulesGerman : HelpTopic::RulesEnglish);
}

void MainWindow::onExitClicked() {
    close();
}

void MainWindow::setMainTexts() {
    m_toolBar->setTexts(m_options.isGerman());
    m_boardBox->setAccessibleDescription(accessibleTexts(m_options.isGerman()).boardDescription);
    updateBoardName();
}

void MainWindow::updateBoardName() {
    const BoardCursor& c = m_keyboard->cursor();
    const QString name = c.visible ? cellText(m_options.isGerman(), m_puzzle, c.col, c.row)
                                   : accessibleTexts(m_options.isGerman()).boardName;
    // Every new name is told to the screen reader; only real changes should be told.
    if (m_boardBox->accessibleName() != name) m_boardBox->setAccessibleName(name);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window manager may ask while an animation waits: the move is finished first.
    if (m_clock.waiting()) {
        m_closeAsked = true;
        event->ignore();
        return;
    }
    if (m_hasLeft || !confirmClose()) {
        event->setAccepted(m_hasLeft);
        return;
    }
    leave();
    event->accept();
}

bool MainWindow::confirmClose() {
    const int answer =
        messageDialog()->showMsg(levelInProgress() ? Message::GiveUpGame : Message::Quit);
    repaintAll();
    return answer == ResultYes;
}

void MainWindow::leave() {
    if (m_hasLeft) return; // a quit signal may have closed the game while the close was asked
    m_clockTimer.stop();
    // A level in progress is kept for the next start, whichever way the game ends (a solved or
    // new level has dropped its keeping already).
    if (levelInProgress()) m_keeper->keep(true);
    appHelpCommand(HELP_QUIT, 0);
    // One write for everything: only the options that this copy changed, so that another copy's
    // changes stay, and the placement. A store that cannot be written must not keep the player
    // from leaving: the failure is reported, and the window closes.
    std::vector<std::pair<QString, QString>> values;
    const auto options = storableOptions();
    for (size_t i = 0; i < options.size(); ++i)
        if (options[i] != m_storedOptions[i]) values.push_back(options[i]);
    try {
        if (m_wasShown) values.emplace_back(m_placement->iniKey, m_placement->placementRecord());
        m_settings.writeTexts(QString::fromLatin1(SettingsSection), values);
        m_storedOptions = options;
    } catch (const SettingsError& e) {
        Application::reportError(e.text());
    }
    m_painter->freeBitmaps();
    m_hasLeft = true;
}

std::vector<std::pair<QString, QString>> MainWindow::storableOptions() const {
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    // The language first: the first show reads it again.
    return {{Setting::tongue.name, QString::number(m_options.tongue)},
            {Setting::sound.name, flag(m_options.soundOn)},
            {Setting::music.name, flag(m_options.musicOn)},
            {Setting::backMode.name, QString::number(m_options.backgroundMode)},
            {Setting::mode.name, QString::number(m_options.mode)},
            {Setting::fair.name, flag(m_options.fairJudging)}};
}

void MainWindow::closeOnSignal() {
    Application::reportToStandardError();
    // A result waiting for its name is stored with the name typed so far.
    if (m_bestListDialog) {
        try {
            m_bestListDialog->storePendingResult();
        } catch (const SettingsError& e) {
            Application::reportError(e.text());
        }
    }
    leave();
    QCoreApplication::quit();
}

void MainWindow::closeHelp() {
    m_helpSystem.reset();
    closeAllHelp();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_toolBar->setGeometry(0, 0, width(), ToolBarHeight);
    m_boardBox->setGeometry(0, ToolBarHeight, width(), std::max(0, height() - ToolBarHeight));
}

void MainWindow::relayOut() {
    if (m_hasLeft) return;
    m_painter->computeLayout();
    m_painter->prepareTile();
    prepareBackground();
    paint();
}

void MainWindow::prepareBackground() {
    m_painter->setBackgroundMode(m_options.backgroundMode);
    m_toolBar->setBackgroundMode(m_options.backgroundMode);
    m_painter->prepareBackground();
}

void MainWindow::paint() {
    if (m_hasLeft) return;
    m_painter->setPaused(m_gameState == GameState::Paused);
    m_painter->paint();
    drawSize();
    drawTime();
}

void MainWindow::paintToolBar() {
    if (m_hasLeft) return;
    m_toolBar->paintAll();
    drawTime();
}

void MainWindow::repaintAll() {
    paintToolBar();
    paint();
}

void MainWindow::drawSize() {
    m_toolBar->drawSize(m_puzzle.colCount, m_puzzle.rowCount);
}

const BoardLayout& MainWindow::boardLayoutNow() const {
    return m_painter->layout();
}

void MainWindow::drawCell(int32_t col, int32_t row) {
    m_painter->drawCell(col, row);
    // Every move draws its cell: the level is kept within seconds.
    if (levelInProgress()) m_keeper->changed();
}
void MainWindow::drawRowClues() {
    m_painter->drawRowClues();
}
void MainWindow::drawColClues() {
    m_painter->drawColClues();
}

void MainWindow::drawTime() {
    if (m_hasLeft) return;
    m_toolBar->drawTime(m_clock.playTime());
}

void MainWindow::playSnd(Sound sound) {
    // The picture of a move shows first; its sound starts as soon as control is back in an
    // event loop, within the same frame, so a device still waking never holds the cell back.
    QMetaObject::invokeMethod(
        this, [this, sound] { m_sounds->playSnd(static_cast<int32_t>(sound)); },
        Qt::QueuedConnection);
}

void MainWindow::delay(int32_t ms) {
    m_clock.beginWait();
    if (m_delayHook)
        m_delayHook(ms);
    else
        ::delay(ms);
    m_clock.endWait();
    // The move goes on after the wait; what was held back runs once control is back in an
    // event loop (the main one, or a dialog the move opens).
    if (!m_clock.waiting() && (m_clock.tickHeld() || m_closeAsked))
        QTimer::singleShot(0, this, [this] { afterWait(); });
}

void MainWindow::afterWait() {
    if (m_clock.waiting()) return; // the next wait of the same move has begun; its end posts again
    if (m_clock.takeHeldTick()) onTimerTick();
    if (m_closeAsked) {
        m_closeAsked = false;
        // Like any close request while a dialog is open, it is not for now.
        if (!QApplication::activeModalWidget()) close();
    }
}

void MainWindow::enablePauseBtn(bool enabled) {
    m_toolBar->pauseButton()->setEnabled(enabled);
    // The rules enable it as a level starts running: the clock is needed from now on.
    if (enabled) wakeTimer();
}

void MainWindow::boxMouseDown(Qt::MouseButton button, int32_t x, int32_t y) {
    // A click on a kept level's paused board goes on with it, and is no move.
    if (resumeIfPaused()) return;
    switch (button) {
    case Qt::LeftButton:
        m_rules->boxMouseDown(MouseButton::Left, x, y);
        break;
    case Qt::RightButton:
        m_rules->boxMouseDown(MouseButton::Right, x, y);
        break;
    case Qt::MiddleButton:
        m_rules->boxMouseDown(MouseButton::Middle, x, y);
        break;
    default:
        break;
    }
}

void MainWindow::boxMouseMove(int32_t x, int32_t y) {
    // A click with its sound may follow: the audio device gets ready meanwhile.
    if (m_options.soundOn) audioWarmUp();
    m_rules->boxMouseMove(x, y);
}

void MainWindow::boxMouseUp() {
    m_rules->boxMouseUp();
}

void MainWindow::cursorMoved(const BoardCursor& previous) {
    if (m_hasLeft) return;
    const BoardCursor& now = m_keyboard->cursor();
    if (previous.visible) m_painter->drawCell(previous.col, previous.row);
    if (now.visible) m_painter->drawCell(now.col, now.row);
    // The lit clue lines follow the cursor.
    const bool shownOrHidden = previous.visible != now.visible;
    if (shownOrHidden || (now.visible && previous.row != now.row)) m_painter->drawRowClues();
    if (shownOrHidden || (now.visible && previous.col != now.col)) m_painter->drawColClues();
    updateBoardName();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const KeyCommand command = keyCommand(event->key(), event->modifiers());
    if (command == KeyCommand::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key repeats only the cursor's steps; a move or a button acts once per press,
    // as a held mouse button does.
    if (event->isAutoRepeat() && !cursorStep(command)) return;
    runKey(command, event->modifiers().testFlag(Qt::ShiftModifier));
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift && !event->isAutoRepeat()) m_keyboard->releaseDrag();
    QWidget::keyReleaseEvent(event);
}

void MainWindow::runKey(KeyCommand command, bool shift) {
    // The board's keys go on with a paused kept level, as a click on the board does.
    if ((cursorStep(command) || command == KeyCommand::Uncover || command == KeyCommand::Mark) &&
        resumeIfPaused())
        return;
    if (const std::optional<CursorStep> step = cursorStep(command)) {
        m_keyboard->step(*step, shift);
        updateBoardName();
        return;
    }
    switch (command) {
    case KeyCommand::Uncover:
        m_keyboard->uncover();
        break;
    case KeyCommand::Mark:
        m_keyboard->mark();
        break;
    // The tool bar's keys do what a click does, and report errors the same way.
    case KeyCommand::NewGame:
        Application::guarded([this] { onStartClicked(); });
        break;
    case KeyCommand::Pause:
        Application::guarded([this] { onPauseClicked(); });
        break;
    case KeyCommand::BestList:
        Application::guarded([this] { onBestListClicked(); });
        break;
    case KeyCommand::NextSize:
        Application::guarded([this] { onLevelPressed(Qt::LeftButton); });
        break;
    case KeyCommand::PreviousSize:
        Application::guarded([this] { onLevelPressed(Qt::RightButton); });
        break;
    case KeyCommand::Options:
        Application::guarded([this] { onOptionsClicked(); });
        break;
    case KeyCommand::Rules:
        Application::guarded([this] { onRulesClicked(); });
        break;
    case KeyCommand::Info:
        Application::guarded([this] { onInfoClicked(); });
        break;
    case KeyCommand::Exit:
        Application::guarded([this] { onExitClicked(); });
        break;
    default:
        break;
    }
    // A move may have changed the cell under the cursor.
    updateBoardName();
}

void MainWindow::setDialogImages(std::unique_ptr<DialogImages> images) {
    m_dialogImages = std::move(images);
    m_toolBar->setRightButtonFaces(m_dialogImages->btns);
}

MessageDialog* MainWindow::messageDialog() {
    createDialogs();
    return m_messageDialog;
}

LanguageDialog* MainWindow::languageDialog() {
    createDialogs();
    return m_languageDialog;
}

OptionsDialog* MainWindow::optionsDialog() {
    createDialogs();
    return m_optionsDialog;
}

BestListDialog* MainWindow::bestListDialog() {
    createDialogs();
    return m_bestListDialog;
}

void MainWindow::createDialogs() {
    if (m_messageDialog) return;
    const DialogImages& images = *m_dialogImages;
    m_messageDialog = new MessageDialog(this, m_options, images);
    m_languageDialog = new LanguageDialog(m_options, images, this);
    m_optionsDialog = new OptionsDialog(this, m_options, images);
    connect(m_optionsDialog, &OptionsDialog::backgroundChanged, this, [this] {
        prepareBackground();
        repaintAll();
    });
    connect(m_optionsDialog, &OptionsDialog::textsChanged, this, [this] { setMainTexts(); });
    connect(m_optionsDialog, &OptionsDialog::musicSwitched, this, [this] {
        m_music->toggle();
        wakeTimer();
    });
    m_optionsDialog->setMusicNameSource([this] { return m_music->currentName(); });
    m_bestListDialog = new BestListDialog(this, m_settings, m_options, images);
}
