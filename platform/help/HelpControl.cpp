// SPDX-License-Identifier: MIT
// The help control: the built-in viewer behind the classic entry point.
#include "platform/help/HelpControl.h"

#include "platform/help/HelpViewer.h"

#include <QCoreApplication>
#include <QThread>

HtmlHelpFunction htmlHelp = nullptr;

namespace {

bool controlLoaded = false;

// The address may carry a topic after "::" and a window definition after ">"; the viewer needs
// the file alone.
QString fileOfAddress(const QString& address) {
    QString file = address;
    if (const qsizetype window = file.indexOf(QLatin1Char('>')); window >= 0) file.truncate(window);
    if (const qsizetype topic = file.indexOf(QStringLiteral("::")); topic >= 0)
        file.truncate(topic);
    return file.trimmed();
}

QWidget* viewerEntry(QWidget*, const QString& address, unsigned command, intptr_t data) {
    switch (command) {
    case HH_HELP_CONTEXT:
        return HelpViewer::open(fileOfAddress(address), static_cast<int>(data));
    case HH_CLOSE_ALL:
        HelpViewer::closeAll();
        return nullptr;
    default:
        return nullptr;
    }
}

} // namespace

void loadHelpControl() {
    if (controlLoaded) return;
    controlLoaded = true;
    htmlHelp = viewerEntry;
}

void unloadHelpControl() {
    controlLoaded = false;
    htmlHelp = nullptr;
}

bool helpControlLoaded() {
    return controlLoaded;
}

QString findHelpControlPath() {
    if (!QCoreApplication::instance()) return {};
    return QCoreApplication::applicationFilePath();
}

void closeAllHelp() {
    if (!controlLoaded || !htmlHelp) return;
    htmlHelp(nullptr, QString(), HH_CLOSE_ALL, 0);
    QThread::yieldCurrentThread();
}
