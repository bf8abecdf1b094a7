// SPDX-License-Identifier: MIT
// The help layer's debug log.
#include "platform/help/DebugLog.h"

#include "platform/StateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTime>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <utility>

namespace {

MessageBoxFunction messageBoxHook;

QString withSeparator(const QString& dir) {
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir;
    return dir + QLatin1Char('/');
}

#ifdef Q_OS_UNIX
// A file this user owns, reached without following a link.
bool isOwnRegularFile(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_uid == ::geteuid();
}

bool canCreateFileIn(const QString& dir) {
    const QByteArray trial = QFile::encodeName(dir + QStringLiteral("$_Temp_$.$$$"));
    const int fd =
        ::open(trial.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(trial.constData());
    return true;
}

// Appends to a regular file of this user's, creating it when missing; a link, a pipe or someone
// else's file under that name drops the text.
void appendToOwnFile(const QString& path, const QByteArray& bytes) {
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
        [[maybe_unused]] const ssize_t n = ::write(fd, bytes.constData(), bytes.size());
    }
    ::close(fd);
}
#else
bool IsOwnRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

bool CanCreateFileIn(const QString& dir) {
    QFile trial(dir + QStringLiteral("$_Temp_$.$$$"));
    if (trial.exists() || !trial.open(QIODevice::WriteOnly)) return false;
    trial.close();
    trial.remove();
    return true;
}

void AppendToOwnFile(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).isSymLink()) return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.write(bytes);
}
#endif

} // namespace

MessageBoxFunction setHelpMessageBoxHook(MessageBoxFunction hook) {
    return std::exchange(messageBoxHook, std::move(hook));
}

void helpMessageBox(const QString& text) {
    const QString caption = QGuiApplication::applicationDisplayName();
    if (messageBoxHook) {
        messageBoxHook(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok);
    box.exec();
}

bool debugSwitch(const QString& moduleDir, const QStringList& args) {
    if (QFileInfo::exists(withSeparator(moduleDir) + QStringLiteral("debug.debug"))) return true;
    for (const QString& arg : args)
        if (arg.compare(QLatin1String("/debug"), Qt::CaseInsensitive) == 0 ||
            arg.compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString debugLogPath(const QString& moduleDir, bool installed, bool create) {
    const QString dir = withSeparator(moduleDir);
    // Beside the program only in a build tree: an installed game leaves nothing in the program's
    // folder, whoever runs it.
    if (!installed && !dir.isEmpty() && canCreateFileIn(dir))
        return dir + QStringLiteral("HHDebug.txt");
    // A folder of the player's own, never the shared temporary folder where anybody may plant a
    // link under the log's name.
    for (const QString& folder :
         {stateHome(), QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)}) {
        if (folder.isEmpty()) continue;
        if (const QString own = ownFolder(folder + QStringLiteral("/morvek"), create);
            !own.isEmpty())
            return own + QStringLiteral("HHDebug.txt");
    }
    return {};
}

DebugLog::DebugLog(const QString& fileName, bool debugMode, const QStringList& header,
                   bool appendMode)
    : fileName(fileName), debugMode(debugMode), appendMode(appendMode) {
    // Only our own old log goes, and nothing's mode is changed: whatever else has the log's name
    // (a link, a folder, another user's file) is left alone, and logging skips it.
    if (!appendMode && isOwnRegularFile(fileName)) QFile::remove(fileName);
    if (debugMode && headerDump && !header.isEmpty()) {
        writeText(QStringLiteral("="));
        for (const QString& line : header)
            writeText(line);
    }
}

void DebugLog::writeText(const QString& text) {
    if (!debugMode || fileName.isEmpty()) return;
    QString line = text;
    if (line == QLatin1String("-"))
        line = QString(80, QLatin1Char('-'));
    else if (line == QLatin1String("="))
        line = QString(80, QLatin1Char('='));
    if (line.startsWith(QLatin1Char('!')) || line.startsWith(QLatin1Char('-')) ||
        line.startsWith(QLatin1Char('=')))
        line.remove(0, 1);
    else if (timeStamps)
        line = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat) +
               QStringLiteral("   ") + line;
    line += QLatin1Char('\n');
    appendToOwnFile(fileName, line.toUtf8());
}
