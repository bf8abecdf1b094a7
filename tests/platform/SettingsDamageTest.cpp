// SPDX-License-Identifier: MIT
// Damaged settings files: a damaged line costs only itself, the file is kept aside before it is
// first written over, and nothing in or beside the file can hang the game.
#include "QtPrint.h"
#include "SettingsFixture.h"
#include "platform/IniDocument.h"
#include "platform/SettingsStore.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Replaces the line that sets `key` (or, when `key` is empty, inserts after the first line).
QByteArray withLine(const QByteArray& file, const QByteArray& key, const QByteArray& line) {
    QList<QByteArray> lines = file.split('\n');
    if (key.isEmpty()) {
        lines.insert(1, line);
    } else {
        for (QByteArray& l : lines)
            if (l.startsWith(key + '=')) l = line;
    }
    return lines.join('\n');
}

TEST_F(SettingsStoreTest, ADamagedLineCostsOnlyItself) {
    const StoredFile stored = writtenByQSettings(m_config.path());
    ASSERT_EQ(stored.values.size(), 37u);
    struct Row {
        const char* name;
        QByteArray file;
        const char* lost; // the one key that reads its default, or ""
        bool damaged;     // the file is kept aside before it is written over
    };
    const QByteArray f = stored.bytes;
    const Row rows[] = {
        {"a stray quote in a line of its own", withLine(f, "", "note=it\"s mine"), "", true},
        {"a stray quote after a value", withLine(f, "backmode", "backmode=3\""), "backmode", true},
        {"the placement record's closing quote gone",
         withLine(f, "MainForm", "MainForm=\"200,0,1,10,20,800,600"), "MainForm", true},
        {"a line continuation", withLine(f, "player", "player=Anna\\"), "player", true},
        {"a broken section header", withLine(f, "", "[comm"), "", true},
        {"a line without '='", withLine(f, "", "just some words"), "", true},
        {"a value that is not UTF-8", withLine(f, "hs13", "hs13=\"\xff\xfe,x\""), "hs13", true},
        {"a key that is not UTF-8", withLine(f, "", "h\xffs10=\"abc\""), "", true},
        {"a NUL inside a line", withLine(f, "hs30", QByteArray("hs30=a\0b", 8)), "hs30", true},
        {"binary garbage between lines",
         withLine(f, "", QByteArray("\x01\x80\"\\[\x00\xc3", 7) + "\n\"\"\"\n\\\n]]["), "", true},
        {"a long line", withLine(f, "", QByteArray(200000, '"')), "", true},
        {"an empty key", withLine(f, "", "=5"), "", true},
        {"a comment", withLine(f, "", "; it's \"mine\""), "", false},
        {"windows line breaks", QByteArray(f).replace("\n", "\r\n"), "", false},
        {"no line break at the end", f.chopped(1), "", false},
        {"a byte order mark", "\xEF\xBB\xBF" + f, "", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QFile::remove(iniPath() + ".damaged");
        putFile(r.file);
        SettingsStore ini;
        auto check = [&](const char* when) {
            SCOPED_TRACE(when);
            for (const auto& [key, text] : stored.values) {
                const QString read = ini.readText("common", key, "<default>");
                EXPECT_EQ(read, key == QLatin1String(r.lost) ? "<default>" : text)
                    << key.toStdString();
            }
        };
        check("read");
        ini.writeText("common", "hs99", "new");
        check("after a write");
        EXPECT_EQ(ini.readText("common", "hs99", ""), "new");
        QFile copy(iniPath() + ".damaged");
        EXPECT_EQ(copy.exists(), r.damaged);
        if (r.damaged && copy.open(QFile::ReadOnly)) {
            EXPECT_EQ(copy.readAll(), r.file);
        }
    }
}

TEST_F(SettingsStoreTest, AnUnquotedCommaIsPartOfTheText) {
    putFile("[common]\nhs13=ejt,us_C7\nMainForm=200,0,1,10,20,800,600\nplayer=a, b \n");
    SettingsStore ini;
    EXPECT_EQ(ini.readText("common", "hs13", ""), "ejt,us_C7");
    EXPECT_EQ(ini.readText(Setting::mainForm), "200,0,1,10,20,800,600");
    EXPECT_EQ(ini.readText(Setting::player), "a, b");
    // Written back in the quoted form, the other lines as they were.
    ini.writeText("common", "hs13", "ejt,us_C7");
    EXPECT_EQ(fileText(),
              "[common]\nhs13=\"ejt,us_C7\"\nMainForm=200,0,1,10,20,800,600\nplayer=a, b \n");
    EXPECT_FALSE(QFileInfo::exists(iniPath() + ".damaged"));
}

TEST_F(SettingsStoreTest, KeepsTheDamagedFileOnceAndSaysSoOnce) {
    putFile("[common]\nnote=it\"s mine\nmode=4\n");
    SettingsStore ini;
    EXPECT_EQ(ini.readNumber(Setting::mode), 4);
    EXPECT_TRUE(m_notices.isEmpty()); // reading alone changes nothing
    // The notice waits for the player: the file is written and free for others by then.
    setSettingsNoticeHook([&](const QString& text) {
        m_notices << text;
        EXPECT_EQ(fileText(), "[common]\nmode=4\nsound=0\n");
        EXPECT_EQ(errorOf([] { SettingsStore().writeNumber(Setting::backMode, 5); }), "");
    });
    ini.writeNumber(Setting::sound, 0);
    ASSERT_EQ(m_notices.size(), 1);
    EXPECT_TRUE(m_notices[0].contains(iniPath() + ".damaged")) << m_notices[0].toStdString();
    EXPECT_TRUE(m_notices[0].contains("beschädigt") && m_notices[0].contains("damaged"));
    EXPECT_EQ(fileText(), "[common]\nmode=4\nsound=0\nbackmode=5\n");

    // The file is whole now: later writes keep the copy as it is, and say nothing.
    ini.writeNumber(Setting::mode, 5);
    QFile copy(iniPath() + ".damaged");
    ASSERT_TRUE(copy.open(QFile::ReadOnly));
    EXPECT_EQ(copy.readAll(), "[common]\nnote=it\"s mine\nmode=4\n");
    // A newly damaged file replaces the older copy, without a second message in this run.
    putFile("[common]\nmode=6\n\"\n");
    ini.writeNumber(Setting::sound, 1);
    copy.close();
    ASSERT_TRUE(copy.open(QFile::ReadOnly));
    EXPECT_EQ(copy.readAll(), "[common]\nmode=6\n\"\n");
    EXPECT_EQ(m_notices.size(), 1);
}

TEST_F(SettingsStoreTest, ValuesOfSeveralKeysAreWrittenInOneReplace) {
    SettingsStore ini;
    ini.writeText(Setting::player, "Anna");
    const QFileInfo before(iniPath());
    const ino_t inode = [&] {
        struct stat st {};
        stat(QFile::encodeName(iniPath()).constData(), &st);
        return st.st_ino;
    }();
    std::vector<std::pair<QString, QString>> values;
    for (int row = 0; row < 15; ++row)
        values.emplace_back(QStringLiteral("hs2%1").arg(row), QStringLiteral("v%1").arg(row));
    ini.writeTexts("common", values);
    struct stat st {};
    stat(QFile::encodeName(iniPath()).constData(), &st);
    EXPECT_NE(st.st_ino, inode); // a new file renamed over the old one, never rewritten in place
    const std::vector<QString> read = ini.readTexts(
        "common", {"hs20", "hs214", "player", "missing"}, QStringLiteral("<default>"));
    EXPECT_EQ(read, (std::vector<QString>{"v0", "v14", "Anna", "<default>"}));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(QFileInfo(iniPath()).absolutePath()).entryList(QDir::Files),
              QStringList{"V1.ini"});
}

TEST_F(SettingsStoreTest, ReadTextsGivesTheDefaultForAValueThatIsNotText) {
    putFile("[common]\nhs10=@ByteArray(x)\nhs11=@Invalid()\nhs12=ok\n");
    SettingsStore ini;
    EXPECT_EQ(ini.readTexts("common", {"hs10", "hs11", "hs12"}, "d"),
              (std::vector<QString>{"d", "d", "ok"}));
}

// A lock that is a folder, or one holding garbage, fails the write quickly with a clear reason;
// reads never wait for the lock.
TEST_F(SettingsStoreTest, ABadLockFileFailsTheWriteWithinSeconds) {
    SettingsStore ini;
    ini.writeNumber(Setting::mode, 2);
    const QString lock = iniPath() + ".lock";
    for (const bool folder : {true, false}) {
        SCOPED_TRACE(folder ? "folder" : "garbage");
        if (folder) {
            ASSERT_TRUE(QDir().mkpath(lock));
        } else {
            QFile f(lock);
            ASSERT_TRUE(f.open(QFile::WriteOnly));
            f.write("\x01garbage\xff\n");
        }
        QElapsedTimer clock;
        clock.start();
        const QString error = errorOf([&] { ini.writeNumber(Setting::mode, 3); });
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_TRUE(error.startsWith("Fehler beim Setzen der Daten für 'mode'\n"));
        EXPECT_TRUE(error.contains(lock) && error.contains("locked")) << error.toStdString();
        clock.restart();
        EXPECT_EQ(ini.readNumber(Setting::mode), 2);
        EXPECT_LT(clock.elapsed(), 500);
        if (folder)
            QDir().rmdir(lock);
        else
            QFile::remove(lock);
    }
    ini.writeNumber(Setting::mode, 3);
    EXPECT_EQ(ini.readNumber(Setting::mode), 3);
}

TEST_F(SettingsStoreTest, ANamedPipeInPlaceOfTheFileDoesNotHang) {
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(iniPath()).constData(), 0600), 0);
    SettingsStore ini;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ini.readNumber(Setting::mode), 1);
    EXPECT_EQ(ini.readTexts("common", {"hs10"}, "d"), std::vector<QString>{"d"});
    const QString error = errorOf([&] { ini.writeNumber(Setting::mode, 3); });
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(error.contains("is not a regular file")) << error.toStdString();
    // Said once, in both languages, with the way out.
    ASSERT_EQ(m_notices.size(), 1);
    EXPECT_TRUE(m_notices[0].contains("keine gewöhnliche Datei") &&
                m_notices[0].contains("default settings"));
    EXPECT_TRUE(QFileInfo(iniPath()).isFile() == false);
}

// Odd keys (only written by hand or by other programs) come back, and the file reads whole.
TEST_F(SettingsStoreTest, OddKeysRoundTrip) {
    SettingsStore ini;
    const QStringList keys = {"a/", "a/b", "x y", "ä€", "%41", "=", "\\", ";c", "[s]", " t "};
    for (const QString& key : keys)
        ini.writeText("common", key, key + "!");
    for (const QString& key : keys)
        EXPECT_EQ(ini.readText("common", key, "<default>"), key + "!") << key.toStdString();
    EXPECT_FALSE(IniDocument(fileText()).hasDamage());
}

// Files written by QSettings read the same here, and files written here read the same in QSettings,
// byte for byte where both write a value.
TEST_F(SettingsStoreTest, ValuesMatchQSettingsBothWays) {
    QRandomGenerator random(1234);
    auto randomText = [&] {
        // Whole characters only: a lone surrogate is no text, and neither side keeps it.
        static const QStringList pieces = {
            "a",  "Z",  "0",  "9",    " ",          ",",
            ";",  "=",  "\"", "\\",   "@",          QString(QChar(0)),
            "\n", "\r", "\t", "\x1f", "\x7f",       "%",
            "[",  "]",  "é",  "€",    "\U0001F600", "'",
            "?",  "x",  "f"};
        QString s;
        const int n = random.bounded(12);
        for (int i = 0; i < n; ++i)
            s += pieces[random.bounded(int(pieces.size()))];
        if (random.bounded(5) == 0) s.prepend(u'@');
        return s;
    };
    const QString theirs = m_config.path() + "/theirs.ini";
    const QString ours = m_config.path() + "/ours.ini";
    for (int round = 0; round < 400; ++round) {
        const QString text = randomText();
        SCOPED_TRACE(text.toStdString());
        QFile::remove(theirs);
        QFile::remove(ours);
        {
            QSettings q(theirs, QSettings::IniFormat);
            q.setValue("common/k", text);
        }
        SettingsStore(ours).writeText("common", "k", text);
        QFile a(theirs), b(ours);
        ASSERT_TRUE(a.open(QFile::ReadOnly) && b.open(QFile::ReadOnly));
        const QByteArray theirBytes = a.readAll();
        ASSERT_EQ(b.readAll(), theirBytes);
        const QString expected =
            text.left(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
        EXPECT_EQ(SettingsStore(theirs).readText("common", "k", "<d>"), expected);
        const QVariant back = QSettings(ours, QSettings::IniFormat).value("common/k");
        EXPECT_EQ(back.toString(), text);
    }
}

} // namespace
