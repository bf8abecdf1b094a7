// The help layer's debug log.
#include "DLogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTime>

#include <utility>

namespace {

TMessageBoxHook MessageBoxHook;

QString WithSeparator(const QString& dir) {
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        return dir;
    return dir + QLatin1Char('/');
}

} // namespace

TMessageBoxHook SetHelpMessageBoxHook(TMessageBoxHook hook) {
    return std::exchange(MessageBoxHook, std::move(hook));
}

void HelpMessageBox(const QString& text) {
    const QString caption = QGuiApplication::applicationDisplayName();
    if (MessageBoxHook) {
        MessageBoxHook(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok);
    box.exec();
}

bool DebugSwitch(const QString& moduleDir, const QStringList& args) {
    if (QFileInfo::exists(WithSeparator(moduleDir) + QStringLiteral("debug.debug"))) return true;
    for (const QString& arg : args)
        if (arg.compare(QLatin1String("/debug"), Qt::CaseInsensitive) == 0 ||
            arg.compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString DebugLogPath(const QString& moduleDir) {
    const QString dir = WithSeparator(moduleDir);
    QFile trial(dir + QStringLiteral("$_Temp_$.$$$"));
    if (!dir.isEmpty() && trial.open(QIODevice::WriteOnly)) {
        trial.close();
        trial.remove();
        return dir + QStringLiteral("HHDebug.txt");
    }
    QString temp = QDir::tempPath();
    if (!QFileInfo(temp).isDir()) temp = QDir::rootPath();
    return WithSeparator(temp) + QStringLiteral("HHDebug.txt");
}

TDLogFile::TDLogFile(const QString& fileName, bool debugMode, const QStringList& header,
                     bool appendMode)
    : FileName(fileName), DebugMode(debugMode), AppendMode(appendMode) {
    // A read-only log is made writable even when it is kept, or appending would fail.
    if (QFileInfo::exists(FileName)) {
        QFile::setPermissions(FileName, QFile::permissions(FileName) | QFileDevice::WriteOwner |
                                            QFileDevice::WriteUser);
        if (!AppendMode) QFile::remove(FileName);
    }
    if (DebugMode && HeaderDump && !header.isEmpty()) {
        WriteText(QStringLiteral("="));
        for (const QString& line : header)
            WriteText(line);
    }
}

void TDLogFile::WriteText(const QString& text) {
    if (!DebugMode) return;
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return;
    QString line = text;
    if (line == QLatin1String("-"))
        line = QString(80, QLatin1Char('-'));
    else if (line == QLatin1String("="))
        line = QString(80, QLatin1Char('='));
    if (line.startsWith(QLatin1Char('!')) || line.startsWith(QLatin1Char('-')) ||
        line.startsWith(QLatin1Char('=')))
        line.remove(0, 1);
    else if (TimeStamps)
        line = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat) +
               QStringLiteral("   ") + line;
    line += QLatin1Char('\n');
    file.write(line.toUtf8());
    file.flush();
}
