// Program entry: command line, then the game's windows.
#include "MainWindow.h"

#include "Application.h"
#include "CommandLine.h"
#include "GameWindows.h"
#include "HelpSystem.h"
#include "Installation.h"
#include "QuitSignals.h"
#include "RandomGenerator.h"
#include "SettingsStore.h"

#include <QPointer>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

bool DisplayReachable(const CommandLine& cmd) {
    if (NamesDisplay(cmd)) return true;
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
    if (const std::string error = ParseCommandLine(args, cmd); !error.empty()) {
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
    if (cmd.PrintPuzzle || cmd.Solutions) {
        const uint32_t seed = cmd.HasSeed ? cmd.Seed : [] {
            RandomGenerator r;
            r.Randomize();
            return r.Seed;
        }();
        const Puzzle puzzle = FirstPuzzle(cmd.Mode, seed);
        if (cmd.PrintPuzzle) std::cout << PuzzleText(puzzle);
        if (cmd.Solutions) std::cout << SolutionsText(puzzle);
        return 0;
    }
    if (!DisplayReachable(cmd)) {
        std::cerr << "morvek: no display found (DISPLAY is not set); to play without a screen, "
                     "run it under Xvfb: xvfb-run -a morvek\n";
        return 1;
    }
    Application app(argc, argv);
    applyDesktopIdentity();
    QStringList arguments;
    for (const std::string& a : args)
        arguments << QString::fromStdString(a);
    InitHelpSystem(arguments);
    if (cmd.HasSeed) MainWindow::fixedSeed = cmd.Seed;
    QPointer<MainWindow> window;
    try {
        window = createGameWindows();
    } catch (const ESettingsError& e) {
        // No game without its windows: the player learns why, and the program ends.
        Application::ReportError(e.Text());
        DoneHelpSystem();
        return 1;
    }
    InstallQuitSignals([window] {
        if (window) window->closeOnSignal();
    });
    window->show();
    const int result = app.exec();
    destroyGameWindows();
    DoneHelpSystem();
    return result;
}
