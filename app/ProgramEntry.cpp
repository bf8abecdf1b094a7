// SPDX-License-Identifier: MIT
// Program entry: command line, then the game's windows.
#include "app/MainWindow.h"

#include "app/GameWindows.h"
#include "logic/CommandLine.h"
#include "logic/RandomGenerator.h"
#include "platform/Application.h"
#include "platform/FontWarmUp.h"
#include "platform/Installation.h"
#include "platform/QuitSignals.h"
#include "platform/SettingsStore.h"
#include "platform/help/HelpSystem.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

bool displayReachable(const CommandLine& cmd) {
    if (namesDisplay(cmd)) return true;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine cmd;
    if (const std::string error = parseCommandLine(args, cmd); !error.empty()) {
        std::cerr << "morvek: " << error << "\n" << usageHint();
        return 2;
    }
    if (cmd.showHelp) {
        std::cout << usageText();
        return 0;
    }
    if (cmd.showVersion) {
        std::cout << versionText();
        return 0;
    }
    if (cmd.printPuzzle || cmd.solutions) {
        const uint32_t seed = cmd.hasSeed ? cmd.seed : [] {
            RandomGenerator r;
            r.randomize();
            return r.seed;
        }();
        const Puzzle puzzle = firstPuzzle(cmd.mode, seed);
        if (cmd.printPuzzle) std::cout << puzzleText(puzzle);
        if (cmd.solutions) std::cout << solutionsText(puzzle);
        return 0;
    }
    if (!displayReachable(cmd)) {
        std::cerr << "morvek: no display found (DISPLAY is not set); to play without a screen, "
                     "run it under Xvfb: xvfb-run -a morvek\n";
        return 1;
    }
    std::jthread fontsAhead = readFontConfigurationAhead();
    Application app(argc, argv);
    // Joined, at the latest, before the application and its font database go.
    const std::jthread fonts = std::move(fontsAhead);
    // The desktop file's name goes with the window from its first map; the icon follows it.
    QGuiApplication::setDesktopFileName(desktopId());
    QStringList arguments;
    for (const std::string& a : args)
        arguments << QString::fromStdString(a);
    initHelpSystem(arguments);
    if (cmd.hasSeed) MainWindow::setFixedSeed(cmd.seed);
    QPointer<MainWindow> window;
    // First of all, so that a signal during a notice at start-up closes the game properly too: the
    // notice goes, nothing half made is kept.
    bool quitBeforeShow = false;
    installQuitSignals([&window, &quitBeforeShow] {
        if (window && window->isVisible()) {
            window->closeOnSignal();
        } else {
            // No game yet to save: the notice on screen goes, later ones go to stderr, and the
            // start ends once the windows are made.
            quitBeforeShow = true;
            Application::reportToStandardError();
            if (QWidget* notice = QApplication::activeModalWidget()) notice->close();
        }
    });
    try {
        window = createGameWindows();
    } catch (const SettingsError& e) {
        // No game without its windows: the player learns why, and the program ends.
        Application::reportError(e.text());
        doneHelpSystem();
        return 1;
    }
    if (quitBeforeShow) {
        destroyGameWindows(window);
        doneHelpSystem();
        return 0;
    }
    // The icon's eight sizes are decoded once the board's first frame is on screen.
    QObject::connect(
        window, &MainWindow::firstFramePainted, window, [] { applyDesktopIdentity(); },
        Qt::SingleShotConnection);
    window->show();
    const int result = app.exec();
    destroyGameWindows(window);
    doneHelpSystem();
    return result;
}
