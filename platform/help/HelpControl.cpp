// The help control: the built-in viewer behind the classic entry point.
#include "HelpControl.h"

#include "HelpViewer.h"

#include <QCoreApplication>
#include <QThread>

HtmlHelpFunction HtmlHelp = nullptr;

namespace {

bool Loaded = false;

// The address may carry a topic after "::" and a window definition after ">"; the viewer needs
// the file alone.
QString FileOfAddress(const QString& address) {
    QString file = address;
    if (const qsizetype window = file.indexOf(QLatin1Char('>')); window >= 0) file.truncate(window);
    if (const qsizetype topic = file.indexOf(QStringLiteral("::")); topic >= 0)
        file.truncate(topic);
    return file.trimmed();
}

QWidget* ViewerEntry(QWidget*, const QString& address, unsigned command, intptr_t data) {
    switch (command) {
    case HH_HELP_CONTEXT:
        return HelpViewer::Open(FileOfAddress(address), static_cast<int>(data));
    case HH_CLOSE_ALL:
        HelpViewer::CloseAll();
        return nullptr;
    default:
        return nullptr;
    }
}

} // namespace

void LoadHelpControl() {
    if (Loaded) return;
    Loaded = true;
    HtmlHelp = ViewerEntry;
}

void UnloadHelpControl() {
    Loaded = false;
    HtmlHelp = nullptr;
}

bool HelpControlLoaded() {
    return Loaded;
}

QString FindHelpControlPath() {
    if (!QCoreApplication::instance()) return {};
    return QCoreApplication::applicationFilePath();
}

void CloseAllHelp() {
    if (!Loaded || !HtmlHelp) return;
    HtmlHelp(nullptr, QString(), HH_CLOSE_ALL, 0);
    QThread::yieldCurrentThread();
}
