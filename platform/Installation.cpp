// SPDX-License-Identifier: MIT
// How the game finds its files and how the desktop knows it, built or installed.
#include "platform/Installation.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

namespace {

// The rules file marks a folder that holds the game's data.
bool holdsData(const QString& folder) {
    return QFileInfo(QDir(folder).filePath(QStringLiteral("mrvk.html"))).isFile();
}

} // namespace

QString installedDataPath() {
    return QStringLiteral(MORVEK_DATA_FROM_PROGRAM);
}

QString desktopId() {
    return QStringLiteral(MORVEK_APP_ID);
}

QString gameDataFolder(const QString& programFolder) {
    const QString own = QDir::cleanPath(programFolder);
    const QString installed = QDir::cleanPath(QDir(own).filePath(installedDataPath()));
    for (const QString& folder : {own, installed})
        if (holdsData(folder)) return folder + QLatin1Char('/');
    return own + QLatin1Char('/');
}

void applyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(desktopId());
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/morvek-%1.png").arg(size), QSize(size, size));
    QGuiApplication::setWindowIcon(icon);
}
