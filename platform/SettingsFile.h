// SPDX-License-Identifier: MIT
// The settings file on disk: read without ever blocking or following a link, replaced in one step
// under a lock.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <cstdint>
#include <optional>

// Files beyond this size are not settings the game wrote.
inline constexpr qint64 SettingsFileLimit = 16 * 1024 * 1024;
// How long a write waits for another copy of the game to finish its own.
inline constexpr int SettingsLockWaitMs = 1500;

// Which file a path named when it was read: the same identity means the same content, so a file
// read once need not be read and parsed again.
struct SettingsFileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const SettingsFileIdentity&) const = default;
};

struct SettingsFileContent {
    enum class State { Missing, Read, NotRegular, Unreadable, TooLarge, Symlink, NotOwned };
    State state = State::Missing;
    QByteArray bytes;
    SettingsFileIdentity identity;
    // The file's permission bits, for a file that replaces it or keeps a copy of it.
    std::optional<unsigned> mode;
};

// Opens without blocking (a named pipe in its place would hang the start) and without following a
// symbolic link, and reads only a regular file of the user's own of at most SettingsFileLimit
// bytes.
SettingsFileContent readSettingsFile(const QString& path);

// The identity of what the path names now, without opening it; nothing when it is no regular file.
std::optional<SettingsFileIdentity> settingsFileIdentity(const QString& path);

// Writes the bytes to a new temporary file beside path and renames it over path, so that a reader
// or a crash sees the old file or the new one, never a mixture. A link at path is replaced, never
// written through. The new file gets the given permission bits (else the usual ones for a new
// file). The identity of the written file, or nothing when that fails.
std::optional<SettingsFileIdentity> replaceSettingsFile(const QString& path,
                                                        const QByteArray& bytes,
                                                        std::optional<unsigned> mode = {});

// A lock file that no running copy holds (left by a crash, or planted empty or unreadable) and
// that is older than a moment is removed, so that a write can take the lock at once.
void removeStaleLock(const QString& lockPath);

// The lock of a settings file (path + ".lock"), taken for as long as this object lives: a stale
// lock is taken over at once, a lock that another copy holds is waited for up to
// SettingsLockWaitMs.
class SettingsFileLock {
  public:
    explicit SettingsFileLock(const QString& path);
    bool locked() const { return m_locked; }
    QLockFile::LockError error() const { return m_lock.error(); }
    QString fileName() const { return m_lock.fileName(); }

  private:
    QLockFile m_lock;
    bool m_locked = false;
};
