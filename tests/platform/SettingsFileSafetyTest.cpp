// SPDX-License-Identifier: MIT
// The settings file against what others may leave in the folder: a damaged section header, a file
// in UTF-16, a link, another user's file, a lock that no copy holds; and a file read only once.
#include "SettingsFixture.h"
#include "platform/IniDocument.h"
#include "platform/SettingsStore.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray utf16(const QByteArray& utf8, QStringConverter::Encoding encoding, QByteArray bom) {
    QStringEncoder encode(encoding);
    return bom + QByteArray(encode(QString::fromUtf8(utf8)));
}

// A damaged header costs only its own line: the keys after it are still the game's.
TEST_F(SettingsStoreTest, ADamagedSectionHeaderCostsOnlyItself) {
    const StoredFile stored = writtenByQSettings(m_config.path());
    const QByteArray f = stored.bytes;
    ASSERT_TRUE(f.startsWith("[common]\n"));
    const QByteArray body = f.sliced(9);
    QByteArray zeroed = f;
    zeroed.replace(0, 16, QByteArray(16, '\0'));
    // Zeroing runs into the first key's line, which is lost with the header.
    const QByteArray firstKey = f.sliced(9, f.indexOf('=', 9) - 9);
    struct Row {
        const char* name;
        QByteArray file;
        const char* lost;
    };
    const Row rows[] = {
        {"a NUL in the header", bytes("[com\0mon]\n") + body, ""},
        {"a bad byte in the header", "[com\xffmon]\n" + body, ""},
        {"the header cut short", "[comm\n" + body, ""},
        {"the header missing", body, ""},
        {"the first 16 bytes zeroed", zeroed, firstKey.constData()},
        {"UTF-16, little-endian", utf16(f, QStringConverter::Utf16LE, "\xFF\xFE"), ""},
        {"UTF-16, big-endian", utf16(f, QStringConverter::Utf16BE, "\xFE\xFF"), ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        putFile(r.file);
        SettingsStore ini;
        auto check = [&](const char* when) {
            SCOPED_TRACE(when);
            for (const auto& [key, text] : stored.values)
                EXPECT_EQ(ini.readText("common", key, "<default>"),
                          key == QLatin1String(r.lost) ? "<default>" : text)
                    << key.toStdString();
        };
        check("read");
        ini.writeText("common", "hs99", "new");
        check("after a write");
        // The written file has its header back, for every reader of INI files.
        QSettings back(iniPath(), QSettings::IniFormat);
        EXPECT_EQ(back.value("common/mode").toString(), "4");
        EXPECT_EQ(back.value("common/hs99").toString(), "new");
        EXPECT_EQ(fileText().count("[common]"), 1);
    }
}

// A link in place of the file is neither followed nor written through, whoever runs the game.
TEST_F(SettingsStoreTest, ALinkedSettingsFileIsNeverFollowed) {
    const QString target = m_config.path() + "/someone-elses.txt";
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QFile::WriteOnly));
        f.write("[common]\nmode=7\nsecret\n");
    }
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    ASSERT_TRUE(QFile::link(target, iniPath()));
    SettingsStore ini;
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    const QString error = errorOf([&] { ini.writeNumber(Setting::mode, 3); });
    EXPECT_TRUE(error.contains("symbolic link")) << error.toStdString();
    ASSERT_EQ(m_notices.size(), 1);
    EXPECT_TRUE(m_notices[0].contains("symbolische Verknüpfung"));
    QFile f(target);
    ASSERT_TRUE(f.open(QFile::ReadOnly));
    EXPECT_EQ(f.readAll(), "[common]\nmode=7\nsecret\n");
    EXPECT_TRUE(QFileInfo(iniPath()).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(iniPath() + ".damaged"));
}

// A copy kept aside is as private as the file, and a link planted under its name is replaced,
// not written through.
TEST_F(SettingsStoreTest, TheDamagedCopyKeepsTheFilesModeAndFollowsNoLink) {
    putFile("[common]\nmode=4\n\"\n");
    ASSERT_EQ(::chmod(QFile::encodeName(iniPath()).constData(), 0600), 0);
    const QString bait = m_config.path() + "/bait.txt";
    {
        QFile f(bait);
        ASSERT_TRUE(f.open(QFile::WriteOnly));
        f.write("untouched");
    }
    ASSERT_TRUE(QFile::link(bait, iniPath() + ".damaged"));
    SettingsStore ini;
    ini.writeNumber(Setting::sound, 0);
    struct stat copy {};
    struct stat file {};
    ASSERT_EQ(::lstat(QFile::encodeName(iniPath() + ".damaged").constData(), &copy), 0);
    ASSERT_EQ(::lstat(QFile::encodeName(iniPath()).constData(), &file), 0);
    EXPECT_TRUE(S_ISREG(copy.st_mode));
    EXPECT_EQ(copy.st_mode & 0777, 0600u);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
    QFile f(bait);
    ASSERT_TRUE(f.open(QFile::ReadOnly));
    EXPECT_EQ(f.readAll(), "untouched");
}

// Run as root, the game must not take over a file of another user's in its folder.
TEST_F(SettingsStoreTest, AnotherUsersFileIsNotTrusted) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the file away";
    putFile("[common]\nmode=7\n");
    ASSERT_EQ(::chown(QFile::encodeName(iniPath()).constData(), 12345, 12345), 0);
    SettingsStore ini;
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    const QString error = errorOf([&] { ini.writeNumber(Setting::mode, 3); });
    EXPECT_TRUE(error.contains("another user")) << error.toStdString();
    EXPECT_EQ(fileText(), "[common]\nmode=7\n");
}

void setAge(const QString& path, int seconds) {
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// A lock left by a crash, or planted empty or unreadable, is taken over at once; a lock that a
// running copy holds is waited for, however old it is.
TEST_F(SettingsStoreTest, OnlyALockThatACopyHoldsIsWaitedFor) {
    SettingsStore ini;
    ini.writeNumber(Setting::mode, 2);
    const QString lock = iniPath() + ".lock";
    for (const char* kind : {"empty", "garbage", "unreadable"}) {
        SCOPED_TRACE(kind);
        {
            QFile f(lock);
            ASSERT_TRUE(f.open(QFile::WriteOnly));
            if (QByteArray(kind) == "garbage") f.write("\x01garbage\xff\n");
        }
        if (QByteArray(kind) == "unreadable") ::chmod(QFile::encodeName(lock).constData(), 0);
        setAge(lock, 2);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(errorOf([&] { ini.writeNumber(Setting::mode, 3); }), "");
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_EQ(SettingsStore().readNumber(Setting::mode), 3);
        ini.writeNumber(Setting::mode, 2);
    }
    QLockFile held(lock);
    ASSERT_TRUE(held.tryLock(0));
    setAge(lock, 60);
    const QString error = errorOf([&] { ini.writeNumber(Setting::mode, 4); });
    EXPECT_TRUE(error.contains("locked")) << error.toStdString();
    EXPECT_EQ(SettingsStore().readNumber(Setting::mode), 2);
}

// A file is parsed again only when it has changed: the same file, byte for byte its size and
// time, is not read again (a 15 MB file would cost a second for every value).
TEST_F(SettingsStoreTest, AnUnchangedFileIsParsedOnce) {
    putFile("[common]\nmode=4\n");
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(iniPath()).constData(), &before), 0);
    SettingsStore ini;
    EXPECT_EQ(ini.readNumber(Setting::mode), 4);
    // The same bytes' count and time, other content: the store keeps what it parsed.
    {
        const int fd = ::open(QFile::encodeName(iniPath()).constData(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, "5", 1, 14), 1);
        ::close(fd);
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(iniPath()).constData(), times, 0), 0);
    }
    EXPECT_EQ(ini.readNumber(Setting::mode), 4);
    // Any real change is seen.
    putFile("[common]\nmode=6\n");
    EXPECT_EQ(ini.readNumber(Setting::mode), 6);
    ini.writeNumber(Setting::sound, 0);
    EXPECT_EQ(ini.readNumber(Setting::mode), 6);
    EXPECT_EQ(SettingsStore().readFlag(Setting::sound), false);
}

} // namespace
