// SPDX-License-Identifier: MIT
// The player's state folder, checked so that a planted link never redirects what the game writes.
#include "platform/StateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

QString stateHome() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (QDir::isAbsolutePath(state)) return state;
    const QString home = QDir::homePath();
    return home.isEmpty() ? QString() : home + QStringLiteral("/.local/state");
}

QString ownFolder(const QString& path, bool create) {
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (create) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ::mkdir(name.constData(), 0700);
    }
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid())
        return {};
#else
    if (create) QDir().mkpath(path);
    if (!QFileInfo(path).isDir() || QFileInfo(path).isSymLink()) return {};
#endif
    return path + QLatin1Char('/');
}

QString gameStateFolder(bool create) {
    const QString home = stateHome();
    return home.isEmpty() ? QString() : ownFolder(home + QStringLiteral("/morvek"), create);
}
