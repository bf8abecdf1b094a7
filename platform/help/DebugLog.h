// SPDX-License-Identifier: MIT
// The help layer's debug log and the message box it reports help errors in.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <tuple>
#include <type_traits>

// Shows a help message: a warning box with the application's title and no owner. Tests replace
// the box through the hook (an empty hook restores the box); the previous hook is returned.
using MessageBoxFunction = std::function<void(const QString& caption, const QString& text)>;
MessageBoxFunction setHelpMessageBoxHook(MessageBoxFunction hook);
void helpMessageBox(const QString& text);

// The debug switch: the file "debug.debug" in the program folder, or an argument "/debug" or
// "-debug" in any letter case. moduleDir ends with a separator.
bool debugSwitch(const QString& moduleDir, const QStringList& args);

// "HHDebug.txt" in the program folder of a build tree when a trial file can be created there,
// otherwise (and always for an installed game) in the player's own folder $XDG_STATE_HOME/morvek/
// (or the cache folder's morvek/), which must be a real folder of this user's, not a link. The
// folder is made only when `create` is set (the log will be written); empty when no folder can
// be had.
QString debugLogPath(const QString& moduleDir, bool installed = false, bool create = true);

class DebugLog {
  public:
    // Deletes an old log (unless appending), whether or not debug mode is on, but only a regular
    // file of this user's, never through a link, and changes no file's mode; in debug mode writes
    // a separator and the header lines.
    DebugLog(const QString& fileName, bool debugMode, const QStringList& header = {},
             bool appendMode = false);

    // printf-style; without arguments the format is written as it stands. QString arguments are
    // passed as UTF-8 for %s. Nothing happens unless debug mode is on.
    template <typename... A> void logLine(const char* format, const A&... args) {
        if (debugMode) writeText(formatted(format, args...));
    }
    // Always shows the text in the help message box, and logs it in debug mode.
    template <typename... A> void logError(const char* format, const A&... args) {
        const QString text = formatted(format, args...);
        helpMessageBox(text);
        if (debugMode) writeText(text);
    }

    // One line after the separator and stamp rules: "-" and "=" become 80 signs; a text starting
    // with "!", "-" or "=" loses that character and gets no time stamp; any other text follows the
    // time and three spaces. A file that cannot be opened, a link, or another user's file drops
    // the line.
    void writeText(const QString& text);

    QString fileName;
    bool debugMode;
    bool timeStamps = true;
    bool headerDump = true;
    bool appendMode;

    template <typename... A> static QString formatted(const char* format, const A&... args) {
        if constexpr (sizeof...(A) == 0) {
            return QString::fromUtf8(format);
        } else {
            // Keeps the UTF-8 bytes of text arguments alive while they are formatted.
            auto stored = std::make_tuple(store(args)...);
            return std::apply(
                [format](const auto&... v) { return QString::asprintf(format, pass(v)...); },
                stored);
        }
    }

  private:
    static QByteArray store(const QString& s) { return s.toUtf8(); }
    template <typename T> static const T& store(const T& v) { return v; }
    static const char* pass(const QByteArray& b) { return b.constData(); }
    template <typename T> static T pass(const T& v) { return v; }
};
