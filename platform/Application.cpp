// Qt lets no exception cross its event loop, so they all end here, in notify().
#include "Application.h"

#include "SettingsStore.h"

#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

std::function<void(const QString&)> Application::ErrorHook;

namespace {

// The held messages, formatted as Qt would print them.
std::vector<QString>* Held = nullptr;
QtMessageHandler PreviousHandler = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("morvek: no display found (the window system could not be started); to play "
                   "without a screen, run it under Xvfb: xvfb-run -a morvek\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (Held) Held->push_back(qFormatLogMessage(type, context, message));
}

} // namespace

StartupGuard::StartupGuard() {
    Held = new std::vector<QString>;
    PreviousHandler = qInstallMessageHandler(HoldMessage);
}

void StartupGuard::release() {
    qInstallMessageHandler(PreviousHandler);
    if (!Held) return;
    for (const QString& text : *Held)
        std::fputs(qPrintable(text + u'\n'), stderr);
    delete Held;
    Held = nullptr;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    release();
    // What the store has to say about a damaged or unusable file reaches the player the same way.
    SetSettingsNoticeHook([](const QString& text) { ReportNotice(text); });
}

Application::~Application() {
    SetSettingsNoticeHook({});
}

namespace {

void ReportException(const std::exception& e) {
    if (const auto* store = dynamic_cast<const ESettingsError*>(&e))
        Application::ReportError(store->Text());
    else
        Application::ReportError(QString::fromUtf8(e.what()));
}

} // namespace

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportException(e);
    }
    return false;
}

void Application::Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ReportException(e);
    }
}

void Application::ReportNotice(const QString& text) {
    if (ErrorHook) {
        ErrorHook(text);
        return;
    }
    QMessageBox::warning(nullptr, QApplication::applicationDisplayName(), text);
}

void Application::ReportError(const QString& text) {
    if (ErrorHook) {
        ErrorHook(text);
        return;
    }
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text);
}
