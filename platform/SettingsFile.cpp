// SPDX-License-Identifier: MIT
// POSIX calls where Qt's file classes would block on a pipe or follow a link blindly.
#include "platform/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>
#endif

#ifdef Q_OS_UNIX
namespace {

SettingsFileIdentity identityOf(const struct stat& info) {
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
            static_cast<int64_t>(info.st_size),
            static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// A lock file is taken by its owner right after it is created; younger than this it may be a
// lock about to be taken.
constexpr int64_t StaleLockAgeNs = 250 * 1000000LL;

int64_t ageNs(const struct stat& info) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const int64_t nowNs = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return nowNs - (static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec);
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

} // namespace
#endif

SettingsFileContent readSettingsFile(const QString& path) {
    using State = SettingsFileContent::State;
    SettingsFileContent content;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) {
        const int error = errno;
        struct stat link {};
        if (error == ELOOP || (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode)))
            content.state = State::Symlink;
        else
            content.state = error == ENOENT ? State::Missing : State::Unreadable;
        return content;
    }
    struct stat info {};
    auto give = [&](State state) {
        ::close(fd);
        content.state = state;
        content.bytes.clear();
        return content;
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return give(State::NotRegular);
    // Another user's file in the player's folder (a hard link, or a file left by root) is
    // neither trusted nor written over.
    if (info.st_uid != ::geteuid()) return give(State::NotOwned);
    if (info.st_size > SettingsFileLimit) return give(State::TooLarge);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return give(State::Unreadable);
        if (n == 0) break;
        bytes.append(buffer, n);
        if (bytes.size() > SettingsFileLimit) return give(State::TooLarge);
    }
    ::close(fd);
    content.state = State::Read;
    content.bytes = std::move(bytes);
    content.identity = identityOf(info);
    content.mode = info.st_mode & 07777;
#else
    QFile file(path);
    if (!file.exists()) return content;
    if (file.size() > SettingsFileLimit) {
        content.state = State::TooLarge;
        return content;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        content.state = State::Unreadable;
        return content;
    }
    content.bytes = file.readAll();
    content.state = State::Read;
    content.identity.size = content.bytes.size();
#endif
    return content;
}

std::optional<SettingsFileIdentity> settingsFileIdentity(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return identityOf(info);
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}

std::optional<SettingsFileIdentity>
replaceSettingsFile(const QString& path, const QByteArray& bytes, std::optional<unsigned> mode) {
#ifdef Q_OS_UNIX
    // A temporary name of our own, created exclusively: a link planted under that name is never
    // followed.
    static std::mt19937_64 names{std::random_device{}()};
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        temp = QFile::encodeName(path) + '.' + QByteArray::number(names(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return std::nullopt;
    }
    if (fd < 0) return std::nullopt;
    struct stat info {};
    // On the disk before the rename, so that a power cut cannot leave an empty file behind.
    const bool written = (!mode || ::fchmod(fd, *mode) == 0) && writeAll(fd, bytes) &&
                         ::fsync(fd) == 0 && ::fstat(fd, &info) == 0;
    if (::close(fd) != 0 || !written ||
        ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(temp.constData());
        return std::nullopt;
    }
    return identityOf(info);
#else
    Q_UNUSED(mode);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return std::nullopt;
    if (file.write(bytes) != bytes.size() || !file.commit()) return std::nullopt;
    return SettingsFileIdentity{0, 0, bytes.size(), 0};
#endif
}

void removeStaleLock(const QString& lockPath) {
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(lockPath);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    if (ageNs(info) < StaleLockAgeNs) return;
    // A running copy holds an flock on its lock file for as long as it has the lock.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        struct stat opened {};
        const bool same = ::fstat(fd, &opened) == 0 && opened.st_ino == info.st_ino &&
                          opened.st_dev == info.st_dev;
        if (!held && same) ::unlink(name.constData());
        ::close(fd);
    } else {
        // Unreadable: no copy of the game can have written it.
        ::unlink(name.constData());
    }
#else
    Q_UNUSED(lockPath);
#endif
}

SettingsFileLock::SettingsFileLock(const QString& path) : m_lock(path + QStringLiteral(".lock")) {
    removeStaleLock(m_lock.fileName());
    m_lock.setStaleLockTime(5000);
    m_locked = m_lock.tryLock(SettingsLockWaitMs);
}
