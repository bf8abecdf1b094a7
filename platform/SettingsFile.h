// The settings file on disk: read without ever blocking, replaced in one step under a lock.
#pragma once

#include <QByteArray>
#include <QString>

// Files beyond this size are not settings the game wrote.
inline constexpr qint64 SettingsFileLimit = 16 * 1024 * 1024;
// How long a write waits for another copy of the game to finish its own.
inline constexpr int SettingsLockWaitMs = 1500;

struct SettingsFileContent {
    enum class State { Missing, Read, NotRegular, Unreadable, TooLarge };
    State state = State::Missing;
    QByteArray bytes;
};

// Opens without blocking (a named pipe in its place would hang the start) and reads only a
// regular file of at most SettingsFileLimit bytes.
SettingsFileContent readSettingsFile(const QString& path);

// Writes the bytes to a temporary file beside path and renames it over path, so that a reader or
// a crash sees the old file or the new one, never a mixture. False when that fails.
bool replaceSettingsFile(const QString& path, const QByteArray& bytes);
