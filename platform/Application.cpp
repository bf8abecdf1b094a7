// SPDX-License-Identifier: MIT
// Qt lets no exception cross its event loop, so they all end here, in notify().
#include "platform/Application.h"

#include "platform/SettingsStore.h"

#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

std::function<void(const QString&)> Application::errorHook;

namespace {

// The held messages, formatted as Qt would print them.
std::vector<QString>* heldMessages = nullptr;
QtMessageHandler previousHandler = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("morvek: no display found (the window system could not be started); to play "
                   "without a screen, run it under Xvfb: xvfb-run -a morvek\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (heldMessages) heldMessages->push_back(qFormatLogMessage(type, context, message));
}

} // namespace

StartupGuard::StartupGuard() {
    heldMessages = new std::vector<QString>;
    previousHandler = qInstallMessageHandler(holdMessage);
}

void StartupGuard::release() {
    qInstallMessageHandler(previousHandler);
    if (!heldMessages) return;
    for (const QString& text : *heldMessages)
        std::fputs(qPrintable(text + u'\n'), stderr);
    delete heldMessages;
    heldMessages = nullptr;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    release();
    // What the store has to say about a damaged or unusable file reaches the player the same way.
    setSettingsNoticeHook([](const QString& text) { reportNotice(text); });
}

Application::~Application() {
    setSettingsNoticeHook({});
}

namespace {

void reportException(const std::exception& e) {
    if (const auto* store = dynamic_cast<const SettingsError*>(&e))
        Application::reportError(store->text());
    else
        Application::reportError(QString::fromUtf8(e.what()));
}

} // namespace

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportException(e);
    }
    return false;
}

void Application::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        reportException(e);
    }
}

void Application::reportNotice(const QString& text) {
    if (errorHook) {
        errorHook(text);
        return;
    }
    // Over the window it concerns, where the compositor alone places windows (Wayland).
    QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                         text);
}

void Application::reportToStandardError() {
    if (errorHook) return;
    errorHook = [](const QString& text) {
        std::fputs(qPrintable(QStringLiteral("morvek: ") + text + u'\n'), stderr);
    };
}

void Application::reportError(const QString& text) {
    if (errorHook) {
        errorHook(text);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                          text);
}
