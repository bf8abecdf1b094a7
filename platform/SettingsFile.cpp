// POSIX calls where Qt's file classes would block on a pipe or follow it blindly.
#include "SettingsFile.h"

#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

SettingsFileContent readSettingsFile(const QString& path) {
    using State = SettingsFileContent::State;
    SettingsFileContent content;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        content.state = errno == ENOENT ? State::Missing : State::Unreadable;
        return content;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        content.state = State::NotRegular;
        return content;
    }
    if (info.st_size > SettingsFileLimit) {
        ::close(fd);
        content.state = State::TooLarge;
        return content;
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            content.state = State::Unreadable;
            return content;
        }
        if (n == 0) break;
        bytes.append(buffer, n);
        if (bytes.size() > SettingsFileLimit) {
            ::close(fd);
            content.state = State::TooLarge;
            return content;
        }
    }
    ::close(fd);
    content.state = State::Read;
    content.bytes = std::move(bytes);
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
#endif
    return content;
}

bool replaceSettingsFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
#ifdef Q_OS_UNIX
    // On the disk before the rename, so that a power cut cannot leave an empty file behind.
    if (::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return false;
    }
#endif
    return file.commit();
}
