// The game's windows, created once at start-up and destroyed at the end.
#include "GameWindows.h"

#include "BestListDialog.h"
#include "DialogImages.h"
#include "LanguageDialog.h"
#include "MainWindow.h"
#include "MessageDialog.h"
#include "OptionsDialog.h"

#include "MusicPlayer.h"

namespace {

void createDialogs(MainWindow* mainWindow) {
    // The dialogs take their pictures from the shared images when they are built, so the
    // images come before them; the main window's right buttons get theirs now too.
    auto sharedImages = std::make_unique<DialogImages>();
    auto* message = new MessageDialog(mainWindow, mainWindow->gameOptions(), *sharedImages);
    auto* language = new LanguageDialog(mainWindow->gameOptions(), *sharedImages, mainWindow);
    auto* options = new OptionsDialog(mainWindow, mainWindow->gameOptions(),
                                      mainWindow->backgroundMode(), *sharedImages);
    QObject::connect(options, &OptionsDialog::backgroundChanged, mainWindow, [mainWindow] {
        mainWindow->prepareBackground();
        mainWindow->repaintAll();
    });
    QObject::connect(options, &OptionsDialog::textsChanged, mainWindow,
                     [mainWindow] { mainWindow->setMainTexts(); });
    QObject::connect(options, &OptionsDialog::musicSwitched, mainWindow, [mainWindow] {
        mainWindow->music().toggle();
        mainWindow->wakeTimer();
    });
    options->setMusicNameSource([mainWindow] { return mainWindow->music().currentName(); });
    auto* bestList = new BestListDialog(mainWindow, mainWindow->settings(),
                                        mainWindow->gameOptions(), *sharedImages);
    mainWindow->setDialogs(std::move(sharedImages), message, language, options, bestList);
}

} // namespace

MainWindow* createGameWindows() {
    // A window that cannot be built (its settings unreadable) takes the others down with it, so
    // that the caller can report the failure and end cleanly.
    auto* mainWindow = new MainWindow;
    try {
        createDialogs(mainWindow);
        return mainWindow;
    } catch (...) {
        destroyGameWindows(mainWindow);
        throw;
    }
}

void destroyGameWindows(MainWindow* mainWindow) {
    // The dialogs and the shared images go with the main window.
    delete mainWindow;
}
