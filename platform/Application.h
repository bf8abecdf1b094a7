// SPDX-License-Identifier: MIT
// The application object with the general error report for failures inside event handlers.
#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// Holds back Qt's messages while the window system starts: when it cannot start, Qt would end
// the program with an abort after a screenful of text; the player gets one line and exit code 1.
class StartupGuard {
  protected:
    StartupGuard();
    // The window system is up: the held messages go out as they would have.
    static void release();
};

// The guard comes first among the bases, so that it is in place before QApplication starts.
class Application : private StartupGuard, public QApplication {
  public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Delivers the event; a SettingsError or other std::exception thrown by the handler is
    // reported and ends that handler only. The game runs on.
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows a failure's text in a message box titled with the application's name.
    static void reportError(const QString& text);
    // Shows something the player should know that is no failure (a warning box).
    static void reportNotice(const QString& text);
    // Runs an event handler and reports what it throws, so the error ends the handler here
    // instead of unwinding through Qt's event delivery (which is not built for it).
    static void guarded(const std::function<void()>& handler);

    // When set, receives the text instead of the message box (tests, headless runs).
    static std::function<void(const QString&)> errorHook;
    // From now on reports go to the standard error stream, unless a hook takes them already:
    // nobody may be there to answer a message box (a desktop logout ending the game).
    static void reportToStandardError();
};
