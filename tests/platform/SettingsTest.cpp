// SPDX-License-Identifier: MIT
// The settings store: defaults, encodings, round trips, bad files and failing folders.
#include "QtPrint.h"
#include "SettingsFixture.h"
#include "platform/SettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST_F(SettingsStoreTest, LivesInTheUsersConfigFolder) {
    EXPECT_EQ(SettingsStore().fileName(), iniPath());
}

TEST_F(SettingsStoreTest, FirstRunReadsTheTableDefaultsAndCreatesNothing) {
    SettingsStore ini;
    EXPECT_EQ(ini.readNumber(Setting::tongue), -1);
    EXPECT_TRUE(ini.readFlag(Setting::sound));
    EXPECT_TRUE(ini.readFlag(Setting::music));
    EXPECT_EQ(ini.readNumber(Setting::backMode), 0);
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    EXPECT_EQ(ini.readText(Setting::player), "Mr.Brain");
    EXPECT_EQ(ini.readText(Setting::mainForm), "");
    EXPECT_EQ(ini.readText("common", "hs13", "none"), "none");
    EXPECT_FALSE(QFileInfo::exists(m_config.path() + "/Tallowin"));

    // A file without the section, or the section without the value, reads as defaults too.
    putFile("[other]\nmode=5\n");
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    putFile("[common]\nsound=0\n");
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    EXPECT_EQ(fileText(), "[common]\nsound=0\n");
}

TEST_F(SettingsStoreTest, EveryTableValueRoundTrips) {
    SettingsStore ini;
    for (const SettingDef& def : SettingsTable) {
        SCOPED_TRACE(def.name);
        switch (def.kind) {
        case SettingKind::Flag:
            ini.writeFlag(def, def.numberDefault == 0);
            EXPECT_EQ(ini.readFlag(def), def.numberDefault == 0);
            break;
        case SettingKind::Number:
            ini.writeNumber(def, def.numberDefault + 7);
            EXPECT_EQ(ini.readNumber(def), def.numberDefault + 7);
            break;
        case SettingKind::Text:
            ini.writeText(def, QString::fromUtf8(def.textDefault) + "x");
            EXPECT_EQ(ini.readText(def), QString::fromUtf8(def.textDefault) + "x");
            break;
        }
    }
}

TEST_F(SettingsStoreTest, ValuesRoundTripUnchanged) {
    SettingsStore ini;
    for (int32_t n : {0, -1, 1, 9, INT32_MAX, INT32_MIN}) {
        ini.writeNumber("common", "n", n);
        EXPECT_EQ(ini.readNumber("common", "n", 12345), n);
    }
    for (bool b : {true, false}) {
        ini.writeFlag("common", "b", b);
        EXPECT_EQ(ini.readFlag("common", "b", !b), b);
    }
    const QString texts[] = {
        "Mr.Brain", "12,Müller,340", "  spaces  ", "@Variant(not really)",  "a=b;c#d\\e\"f'",
        "[common]", "line\nbreak",   "ÄÖÜäöüß €",  "200,0,1,-50,10,700,500"};
    for (const QString& t : texts) {
        ini.writeText("common", "t", t);
        EXPECT_EQ(ini.readText("common", "t", "default"), t);
    }
}

TEST_F(SettingsStoreTest, WritesPlainTextValues) {
    SettingsStore ini;
    ini.writeNumber(Setting::tongue, -1);
    ini.writeFlag(Setting::sound, false);
    ini.writeFlag(Setting::music, true);
    ini.writeNumber(Setting::mode, 12);
    EXPECT_EQ(fileText(), "[common]\ntongue=-1\nsound=0\nmusic=1\nmode=12\n");
}

// Stored text as a player or an editor may leave it, and what each kind of read makes of it.
TEST_F(SettingsStoreTest, ReadsTheStoredTextByTheEncodingTable) {
    struct Row {
        const char* stored;
        int32_t def;
        int32_t number; // readNumber with def
    };
    const Row rows[] = {
        {"5", 1, 5},
        {"abc", 1, 1},
        {"", 1, 1},
        {"2", 1, 2},
        {"0", 1, 0},
        {"-1", 0, -1},
        {"+7", 0, 7},
        {" 42", 0, 42},
        {"   -3", 0, -3},
        {"007", 0, 7},
        {"$1F", 0, 31},
        {"0x1f", 0, 31},
        {"x1F", 0, 31},
        {"0X1F", 0, 31},
        {"$ff", 0, 255},
        {"-$10", 0, -16},
        {"2147483647", 0, INT32_MAX},
        {"-2147483648", 0, INT32_MIN},
        {"2147483648", 9, 9},
        {"-2147483649", 9, 9},
        {"$FFFFFFFF", 9, 9},
        {"99999999999999999999", 9, 9},
        {"42 ", 9, 9},
        {"4 2", 9, 9},
        {"1.5", 9, 9},
        {"1e3", 9, 9},
        {"$", 9, 9},
        {"0x", 9, 9},
        {"-", 9, 9},
        {"--1", 9, 9},
        {"$G", 9, 9},
        {"１２", 9, 9}, // full-width digits are not digits here
        {"true", 9, 9},
    };
    SettingsStore ini;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        ini.writeText("common", "v", QString::fromUtf8(r.stored));
        EXPECT_EQ(ini.readNumber("common", "v", r.def), r.number);
        EXPECT_EQ(ini.readFlag("common", "v", r.def != 0), r.number != 0);
        EXPECT_EQ(parseNumber(QString::fromUtf8(r.stored)).value_or(r.def), r.number);
    }
    // The game's own cases: letters in "mode", 2 / 0 / empty in "sound".
    ini.writeText(Setting::mode, "abc");
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    ini.writeText(Setting::sound, "2");
    EXPECT_TRUE(ini.readFlag(Setting::sound));
    ini.writeText(Setting::sound, "0");
    EXPECT_FALSE(ini.readFlag(Setting::sound));
    ini.writeText(Setting::sound, "");
    EXPECT_TRUE(ini.readFlag(Setting::sound));
    ini.writeText(Setting::sound, "");
    EXPECT_FALSE(ini.readFlag("common", "sound", false));
}

TEST_F(SettingsStoreTest, AnExistingEmptyTextIsNotTheDefault) {
    SettingsStore ini;
    ini.writeText(Setting::player, "");
    EXPECT_EQ(ini.readText(Setting::player), "");
    putFile("[common]\nplayer=\n");
    EXPECT_EQ(ini.readText(Setting::player), "");
    EXPECT_EQ(ini.readNumber("common", "player", 3), 3);
}

TEST_F(SettingsStoreTest, TextEndsAtTheFirstNul) {
    SettingsStore ini;
    ini.writeText("common", "t", QString("ab") + QChar(0) + "cd");
    EXPECT_EQ(ini.readText("common", "t", "x"), "ab");
}

// Values that do not come back as plain text, entered by hand.
TEST_F(SettingsStoreTest, AValueThatIsNotPlainTextFailsTheRead) {
    struct Row {
        const char* line;
        const char* error;
    };
    const Row rows[] = {
        {"mode=@ByteArray(5)", "Ungültiger Datentyp für 'mode'"},
        {"mode=@Rect(1 2 3 4)", "Ungültiger Datentyp für 'mode'"},
        {"mode=@Invalid()", "Fehler beim Holen der Daten für 'mode'"},
        {"mode=@Variant(\\0\\0\\0\\x7f\\0garbage)", "Fehler beim Holen der Daten für 'mode'"},
    };
    SettingsStore ini;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line);
        putFile(QByteArray("[common]\nsound=0\n") + r.line + "\n");
        const QString expected = QString::fromUtf8(r.error);
        EXPECT_EQ(errorOf([&] { ini.readNumber(Setting::mode); }), expected);
        EXPECT_EQ(errorOf([&] { ini.readFlag(Setting::mode); }), expected);
        EXPECT_EQ(errorOf([&] { ini.readText(Setting::mode); }), expected);
        // Other values stay readable, and writing the value over makes it text again.
        EXPECT_FALSE(ini.readFlag(Setting::sound));
        ini.writeNumber(Setting::mode, 4);
        EXPECT_EQ(ini.readNumber(Setting::mode), 4);
    }
}

TEST_F(SettingsStoreTest, AFolderThatCannotBeCreatedFailsTheWrite) {
    // A plain file where the folder belongs stops the creation even for root.
    QFile blocker(m_config.path() + "/Tallowin");
    ASSERT_TRUE(blocker.open(QFile::WriteOnly));
    blocker.close();
    SettingsStore ini;
    EXPECT_EQ(errorOf([&] { ini.writeNumber(Setting::mode, 3); }),
              "Erzeugung von Schlüssel common misslungen");
    EXPECT_EQ(errorOf([&] { ini.writeText(Setting::player, "x"); }),
              "Erzeugung von Schlüssel common misslungen");
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
}

TEST_F(SettingsStoreTest, AFileThatCannotBeWrittenFailsTheWrite) {
    SettingsStore ini;
    // A folder where the file belongs cannot be read nor replaced, even by root.
    QDir().mkpath(iniPath());
    EXPECT_EQ(errorOf([&] { ini.writeNumber(Setting::mode, 3); }),
              "Fehler beim Setzen der Daten für 'mode'\n" + iniPath() +
                  " ist keine gewöhnliche Datei.\n" + iniPath() + " is not a regular file.");
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    QDir().rmdir(iniPath());

    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    ini.writeNumber(Setting::mode, 2);
    const QString folder = QFileInfo(iniPath()).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const QString error = errorOf([&] { ini.writeNumber(Setting::mode, 3); });
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(error.startsWith("Fehler beim Setzen der Daten für 'mode'\n"))
        << error.toStdString();
    EXPECT_EQ(fileText(), "[common]\nmode=2\n");
}

// Broken files must neither crash the reads nor cost the values that are still there.
TEST_F(SettingsStoreTest, GarbageAndTruncatedFilesKeepWhatCanBeRead) {
    struct Row {
        const char* name;
        QByteArray bytes;
        int32_t mode; // what "mode" reads before and after a write of "tongue"
        bool sound;   // likewise "sound"
    };
    const Row rows[] = {
        {"binary garbage", bytes("\x01\xff\xfe\x00\x17[comm\x00on]\x80\n=\n=="), 1, true},
        {"truncated section header", "[common]\nmode=5\nsound=0\n[comm", 5, false},
        {"truncated value", "[common]\nsound=0\nmode=5\nplayer=\"Mr.Br", 5, false},
        {"truncated name", "[common]\nmode=5\nsound=0\nmu", 5, false},
        {"stray lines", "hello\n[common]\nmode=5\njunk junk\nsound=0\n%%%\n", 5, false},
        {"bad escapes", "[common]\nmo%ZZde=4\nmode=5\nsound=0\n", 5, false},
        {"crlf", "[common]\r\nmode=5\r\nsound=0\r\n", 5, false},
        {"utf-16", bytes("\xff\xfe[\0c\0o\0m\0m\0o\0n\0]\0\n\0"), 1, true},
        {"empty", "", 1, true},
    };
    SettingsStore ini;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        putFile(r.bytes);
        EXPECT_EQ(ini.readNumber(Setting::mode), r.mode);
        EXPECT_EQ(ini.readFlag(Setting::sound), r.sound);
        EXPECT_EQ(errorOf([&] { ini.writeNumber(Setting::tongue, 1); }), "");
        EXPECT_EQ(ini.readNumber(Setting::tongue), 1);
        EXPECT_EQ(ini.readNumber(Setting::mode), r.mode);
        EXPECT_EQ(ini.readFlag(Setting::sound), r.sound);
    }
}

TEST_F(SettingsStoreTest, TwoStoresOnOneFileLoseNoValue) {
    SettingsStore a;
    SettingsStore b;
    a.writeNumber(Setting::mode, 3);
    b.writeFlag(Setting::sound, false);
    a.writeText(Setting::player, "Anna");
    b.writeNumber(Setting::backMode, 4);
    for (const SettingsStore* s : {&a, &b}) {
        EXPECT_EQ(s->readNumber(Setting::mode), 3);
        EXPECT_FALSE(s->readFlag(Setting::sound));
        EXPECT_EQ(s->readText(Setting::player), "Anna");
        EXPECT_EQ(s->readNumber(Setting::backMode), 4);
    }
    // Last writer wins, value by value.
    a.writeNumber(Setting::mode, 7);
    b.writeNumber(Setting::mode, 8);
    EXPECT_EQ(a.readNumber(Setting::mode), 8);
}

TEST_F(SettingsStoreTest, AnotherProcessWritingBetweenOurWritesLosesNothing) {
    SettingsStore ini;
    ini.writeNumber(Setting::mode, 3);
    for (int round = 0; round < 3; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SettingsStore other;
            // Same length as the value it replaces, so only the content tells them apart.
            other.writeNumber(Setting::backMode, round + 1);
            other.writeText("common", QString("child%1").arg(round), "x");
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        ini.writeNumber(Setting::mode, 4 + round);
        EXPECT_EQ(ini.readNumber(Setting::backMode), round + 1);
        EXPECT_EQ(ini.readText("common", QString("child%1").arg(round), ""), "x");
    }
    EXPECT_EQ(ini.readNumber(Setting::mode), 6);
}

} // namespace
