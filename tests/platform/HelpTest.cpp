// SPDX-License-Identifier: MIT
// Help hook, request log, error reports and the debug log.
#include "platform/help/AppHelp.h"
#include "platform/help/DebugLog.h"
#include "platform/help/HelpControl.h"
#include "platform/help/HelpSystem.h"
#include "platform/help/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

namespace {

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Points $XDG_STATE_HOME at a folder of its own for one test.
class StateFolder {
  public:
    // The cache folder, the log's second choice, is one of the test's own too.
    StateFolder() {
        if (const char* old = std::getenv("XDG_STATE_HOME")) m_old = old;
        if (const char* old = std::getenv("XDG_CACHE_HOME")) m_oldCache = old;
        setenv("XDG_STATE_HOME", m_dir.path().toLocal8Bit().constData(), 1);
        setenv("XDG_CACHE_HOME", m_cache.path().toLocal8Bit().constData(), 1);
    }
    ~StateFolder() {
        if (m_old)
            setenv("XDG_STATE_HOME", m_old->c_str(), 1);
        else
            unsetenv("XDG_STATE_HOME");
        if (m_oldCache)
            setenv("XDG_CACHE_HOME", m_oldCache->c_str(), 1);
        else
            unsetenv("XDG_CACHE_HOME");
    }
    // Where the game keeps its log there.
    QString path() const { return m_dir.path() + QStringLiteral("/morvek/"); }

  private:
    QTemporaryDir m_dir;
    QTemporaryDir m_cache;
    std::optional<std::string> m_old;
    std::optional<std::string> m_oldCache;
};

// A program folder with a small help file, and a message box that only records.
class HelpFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_programDir = m_dir.path() + QLatin1Char('/');
        m_programPath = m_programDir + QStringLiteral("morvek");
        m_helpFile = m_programDir + QStringLiteral("mrvk.html");
        writeFile(m_helpFile, "<html><body><div id=\"1\"><h1>Regeln</h1></div>"
                              "<div id=\"2\"><h1>Rules</h1></div></body></html>");
        m_previousBox = setHelpMessageBoxHook([this](const QString& caption, const QString& text) {
            m_boxes.append(text);
            m_captions.append(caption);
        });
        unsetenv("SystemRoot");
        unsetenv("windir");
    }
    void TearDown() override {
        HelpViewer::closeAll();
        doneHelpSystem();
        setAppHelpHandler({});
        setHelpMessageBoxHook(m_previousBox);
    }
    QString logPath() const { return m_programDir + QStringLiteral("HHDebug.txt"); }

    // The log's lines after the header, with their time stamps checked and taken off.
    QStringList stampedLines() const {
        QStringList result;
        for (const QString& line : readLines(logPath())) {
            const qsizetype gap = line.indexOf(QStringLiteral("   "));
            if (line.startsWith(QLatin1Char('=')) || line.startsWith(QLatin1Char('-')) ||
                gap <= 0 || !line.at(0).isDigit())
                continue;
            result.append(line.mid(gap + 3));
        }
        return result;
    }

    QTemporaryDir m_dir;
    QString m_programDir, m_programPath, m_helpFile;
    QStringList m_boxes, m_captions;
    MessageBoxFunction m_previousBox;
};

TEST_F(HelpFixture, DebugLogRecordsHookLifeAndRequests) {
    initHelpSystem({QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("-DEBUG")},
                   m_programPath);
    {
        HelpSystem hook(m_helpFile, 0, QString());
        EXPECT_TRUE(appHelpContext(2));
        ASSERT_EQ(HelpViewer::viewers().size(), 1u);
        appHelpCommand(HELP_QUIT, 0);
        // The quit request leaves the rules open; the hook's end closes them.
        EXPECT_EQ(HelpViewer::viewers().size(), 1u);
    }
    EXPECT_TRUE(HelpViewer::viewers().empty());

    const QString f = m_helpFile;
    EXPECT_EQ(stampedLines(), QStringList({
                                  QStringLiteral("THookHelpSystem.Create(\"%1\",\"\", 0)").arg(f),
                                  QStringLiteral("THookHelpSystem.HelpHook(1 (HELP_CONTEXT), 2)"),
                                  QStringLiteral("HHHelpContext(\"%1\", 2, \"\", 0)").arg(f),
                                  QStringLiteral("ShowContext(\"%1\", 2)").arg(f),
                                  QStringLiteral("  returned - 0"),
                                  QStringLiteral("THookHelpSystem.HelpHook(2 (HELP_QUIT), 0)"),
                                  QStringLiteral("THookHelpSystem.Destroy"),
                              }));
    EXPECT_TRUE(m_boxes.isEmpty());
}

TEST_F(HelpFixture, DebugLogHeader) {
    initHelpSystem({QStringLiteral("/debug"), QStringLiteral("a b")}, m_programPath);
    const QStringList lines = readLines(logPath());
    ASSERT_GE(lines.size(), 24);
    EXPECT_EQ(lines[0], QString(79, QLatin1Char('=')));
    EXPECT_EQ(lines[1], QStringLiteral("Log File:             ") + logPath());
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Date:                 ")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("(Build ")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("SysLocale.DefaultLCID: 0x")));
    EXPECT_EQ(lines[8], QString(79, QLatin1Char('-')));
    EXPECT_EQ(lines[9], QStringLiteral("EXE Path =          ") + m_programPath);
    EXPECT_EQ(lines[10], QStringLiteral("EXE Version =       1.0"));
    EXPECT_EQ(lines[11], QStringLiteral("Cmdline Param(s) =  /debug | a b"));
    EXPECT_EQ(lines[12], QStringLiteral("Actual CmdLine =  %1 /debug \"a b\"").arg(m_programPath));
    EXPECT_EQ(lines[14], QStringLiteral("_ModuleName =       morvek"));
    EXPECT_EQ(lines[15], QStringLiteral("_ModuleDir =        ") + m_programDir);
    EXPECT_EQ(lines[18], QStringLiteral("_hhInstalled =      YES"));
    EXPECT_TRUE(lines[19].startsWith(QStringLiteral("_hhVerStr =         6.")));
}

TEST_F(HelpFixture, NoLogWithoutSwitchAndOldLogIsRemoved) {
    // A read-only log left by an earlier run goes even when the switch is off.
    writeFile(logPath(), "old run\n");
    QFile::setPermissions(logPath(), QFileDevice::ReadOwner);
    initHelpSystem({QStringLiteral("debug"), QStringLiteral("--debug")}, m_programPath);
    {
        HelpSystem hook(m_helpFile, 0, QString());
        appHelpContext(1);
        appHelpCommand(HELP_QUIT, 0);
    }
    hhShowError(1);
    EXPECT_FALSE(QFileInfo::exists(logPath()));
    EXPECT_TRUE(QDir(m_programDir).entryList({QStringLiteral("*.txt")}).isEmpty());
}

TEST(DebugSwitch, ArgumentsAndSwitchFile) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    struct Row {
        QStringList args;
        bool expected;
    };
    const Row rows[] = {
        {{QStringLiteral("/debug")}, true},
        {{QStringLiteral("-DeBuG")}, true},
        {{QStringLiteral("x"), QStringLiteral("/DEBUG")}, true},
        {{QStringLiteral("--debug")}, false},
        {{QStringLiteral("debug")}, false},
        {{QStringLiteral("-debug2")}, false},
        {{}, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(debugSwitch(folder, row.args), row.expected) << row.args.join(' ').toStdString();
    writeFile(folder + QStringLiteral("debug.debug"), "");
    EXPECT_TRUE(debugSwitch(folder, {}));
    EXPECT_TRUE(debugSwitch(dir.path(), {})); // a folder given without its separator
}

TEST(DebugLogPath, FallsBackToThePlayersOwnFolderWhenProgramFolderIsNotWritable) {
    StateFolder temp;
    QTemporaryDir dir;
    const QString writable = dir.path() + QLatin1Char('/');
    const QString aFile = writable + QStringLiteral("plain-file");
    writeFile(aFile, "x");
    struct Row {
        const char* name;
        QString folder;
        QString expected;
    };
    const Row rows[] = {
        {"writable folder", writable, writable + QStringLiteral("HHDebug.txt")},
        {"missing folder", writable + QStringLiteral("gone/"), temp.path() + "HHDebug.txt"},
        {"path is a file", aFile + QLatin1Char('/'), temp.path() + "HHDebug.txt"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(debugLogPath(row.folder), row.expected) << row.name;
        EXPECT_FALSE(QFileInfo::exists(row.folder + QStringLiteral("$_Temp_$.$$$"))) << row.name;
    }
}

// An installed game keeps its log in the player's folder, makes that folder only to write the
// log, and never takes a link planted under the folder's name.
TEST(DebugLogPath, AnInstalledGameWritesOnlyIntoThePlayersOwnFolder) {
    StateFolder temp;
    QTemporaryDir program;
    const QString programDir = program.path() + QLatin1Char('/');
    EXPECT_EQ(debugLogPath(programDir, true, false), "");
    EXPECT_FALSE(QFileInfo::exists(temp.path())) << "no folder without the log";
    EXPECT_EQ(debugLogPath(programDir, true, true), temp.path() + "HHDebug.txt");
    EXPECT_TRUE(QFileInfo(temp.path()).isDir());
    EXPECT_EQ(debugLogPath(programDir, true, false), temp.path() + "HHDebug.txt");
    EXPECT_EQ(QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());

    // Someone else's folder, linked under the log folder's name, is not the player's.
    ASSERT_TRUE(QDir(temp.path()).removeRecursively());
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), temp.path().chopped(1)));
    EXPECT_FALSE(debugLogPath(programDir, true, true).startsWith(temp.path()));
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(HelpFixture, LogGoesToThePlayersOwnFolderForUnwritableProgramFolder) {
    StateFolder temp;
    initHelpSystem({QStringLiteral("-debug")}, m_programDir + QStringLiteral("gone/morvek"));
    helpLog("one line");
    const QStringList lines = readLines(temp.path() + QStringLiteral("HHDebug.txt"));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("   one line")));
}

TEST(DebugLogTest, LineRules) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/log.txt");
    DebugLog log(path, true);
    struct Row {
        const char* text;
        QString expected; // empty: a time-stamped line
    };
    const Row rows[] = {
        {"-", QString(79, QLatin1Char('-'))},
        {"=", QString(79, QLatin1Char('='))},
        {"!Header:  x", QStringLiteral("Header:  x")},
        {"-- dashes", QStringLiteral("- dashes")},
        {"=eq", QStringLiteral("eq")},
        {"", QString()},
        {"50% done", QString()},
    };
    for (const Row& row : rows)
        log.logLine(row.text);
    log.logLine("%d (%s) \"%s\"", 42, "c-string", QStringLiteral("Größe"));

    const QStringList lines = readLines(path);
    ASSERT_EQ(lines.size(), std::size(rows) + 1);
    for (size_t i = 0; i < std::size(rows); ++i) {
        if (!rows[i].expected.isEmpty()) {
            EXPECT_EQ(lines[i], rows[i].expected) << rows[i].text;
        } else {
            // A time stamp, three spaces, then the text exactly as given (no formatting).
            const QString tail = QStringLiteral("   ") + QString::fromUtf8(rows[i].text);
            EXPECT_TRUE(lines[i].endsWith(tail)) << lines[i].toStdString();
            EXPECT_TRUE(lines[i].at(0).isDigit()) << lines[i].toStdString();
        }
    }
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("   42 (c-string) \"Größe\"")));
}

unsigned modeOf(const QString& path) {
    struct stat info {};
    stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

TEST(DebugLogTest, AppendModeKeepsAnOldLogAndItsMode) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/log.txt");
    writeFile(path, "old run\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    DebugLog log(path, true, {QStringLiteral("!header")}, true);
    log.logLine("new run");
    EXPECT_EQ(modeOf(path), 0600u);
    const QStringList lines = readLines(path);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("old run"));
    EXPECT_EQ(lines[1], QString(79, QLatin1Char('=')));
    EXPECT_EQ(lines[2], QStringLiteral("header"));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("   new run")));

    // A read-only log stays read-only: its lines are dropped (unless the user may write anyway).
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    DebugLog again(path, true, {}, true);
    again.logLine("third run");
    EXPECT_EQ(modeOf(path), 0400u);
}

// A link planted under the log's name, or another user's file there, is neither followed, nor
// deleted, nor changed in its mode; with and without the debug switch.
TEST(DebugLogTest, NeverTouchesALinkOrAnotherUsersFile) {
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/precious.txt");
    writeFile(target, "keep me\n");
    QFile::setPermissions(target,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString link = dir.path() + QStringLiteral("/HHDebug.txt");
    ASSERT_TRUE(QFile::link(target, link));
    for (const bool debug : {false, true}) {
        DebugLog log(link, debug);
        log.logLine("planted");
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << debug;
    }
    EXPECT_EQ(readLines(target), QStringList{QStringLiteral("keep me")});
    EXPECT_EQ(modeOf(target), 0444u);

    // Another user's file: only root can make one here.
    if (geteuid() != 0) GTEST_SKIP() << "needs root to give a file to another user";
    const QString foreign = dir.path() + QStringLiteral("/foreign.txt");
    writeFile(foreign, "theirs\n");
    ASSERT_EQ(chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
    for (const bool debug : {false, true}) {
        DebugLog log(foreign, debug);
        log.logLine("mine");
    }
    EXPECT_EQ(readLines(foreign), QStringList{QStringLiteral("theirs")});
}

TEST(DebugLogTest, UnwritableLogDropsLinesAndDebugOffWritesNothing) {
    QTemporaryDir dir;
    DebugLog broken(dir.path() + QStringLiteral("/no/such/folder/log.txt"), true);
    broken.logLine("lost");
    EXPECT_FALSE(QFileInfo::exists(broken.fileName));

    const QString path = dir.path() + QStringLiteral("/quiet.txt");
    DebugLog quiet(path, false, {QStringLiteral("!header")});
    quiet.logLine("nothing %d", 1);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(HelpCommand, NamesAsLogged) {
    const std::pair<int, const char*> rows[] = {
        {1, "1 (HELP_CONTEXT)"},
        {2, "2 (HELP_QUIT)"},
        {3, "3 (HELP_INDEX or HELP_CONTENTS)"},
        {4, "4 (HELP_HELPONHELP)"},
        {5, "5 (HELP_SETINDEX or HELP_SETCONTENTS)"},
        {8, "8 (HELP_CONTEXTPOPUP)"},
        {9, "9 (HELP_FORCEFILE)"},
        {10, "10 (HELP_CONTEXTMENU)"},
        {11, "11 (HELP_FINDER)"},
        {12, "12 (HELP_WM_HELP)"},
        {13, "13 (HELP_SETPOPUP_POS)"},
        {257, "257 (HELP_KEY)"},
        {258, "258 (HELP_COMMAND)"},
        {261, "261 (HELP_PARTIALKEY)"},
        {513, "513 (HELP_MULTIKEY)"},
        {515, "515 (HELP_SETWINPOS)"},
        {0, "0 (?\?)"},
        {6, "6 (?\?)"},
        {514, "514 (?\?)"},
        {-1, "-1 (?\?)"},
    };
    for (const auto& [command, text] : rows)
        EXPECT_EQ(helpCommandText(command).toStdString(), text);
}

TEST_F(HelpFixture, ErrorMessagesPerCode) {
    initHelpSystem({QStringLiteral("-debug")}, m_programPath);
    const std::pair<int, const char*> rows[] = {
        {1, "MS Html Help is not installed on this PC."},
        {2, "System file KeyHH.EXE was not found in the Windows folder."},
        {3, "System file HH.EXE was not found in the Windows folder."},
        {4, "Unknown error returned by HHHelpContext"},
        {-1, "Unknown error returned by HHHelpContext"},
    };
    hhShowError(0);
    EXPECT_TRUE(m_boxes.isEmpty());
    for (const auto& [code, text] : rows) {
        m_boxes.clear();
        hhShowError(code);
        ASSERT_EQ(m_boxes.size(), 1) << code;
        EXPECT_EQ(m_boxes[0].toStdString(), text);
        EXPECT_EQ(m_captions[0], QGuiApplication::applicationDisplayName());
        EXPECT_EQ(stampedLines().last(),
                  QStringLiteral("HHShowError(%1), \"%2\"").arg(code).arg(QString::fromUtf8(text)));
    }
}

TEST_F(HelpFixture, ExternalHostsAreMissingHere) {
    initHelpSystem({}, m_programPath);
    EXPECT_EQ(showContext(m_helpFile, 1, HH_HOST_KEYHH), HH_ERR_KEYHH_MISSING);
    EXPECT_EQ(showContext(m_helpFile, 1, HH_HOST_HH), HH_ERR_HH_MISSING);
    EXPECT_EQ(showContext(m_helpFile, 1, 7), -1);
    EXPECT_TRUE(HelpViewer::viewers().empty());

    // Through the application's help request, the missing program is reported in a box.
    HelpSystem hook(m_helpFile, HH_HOST_HH, QString());
    appHelpContext(1);
    EXPECT_EQ(m_boxes, QStringList{QStringLiteral("System file HH.EXE was not found in the Windows "
                                                  "folder.")});
}

TEST_F(HelpFixture, NotInstalledWhenControlIsAbsent) {
    initHelpSystem({}, m_programPath);
    unloadHelpControl();
    HelpSystem hook(m_helpFile, 0, QString());
    appHelpContext(1);
    EXPECT_EQ(m_boxes, QStringList{QStringLiteral("MS Html Help is not installed on this PC.")});
    EXPECT_TRUE(HelpViewer::viewers().empty());

    // Before the start-up step nothing is known to be installed either.
    doneHelpSystem();
    EXPECT_EQ(showContext(m_helpFile, 1, 0), HH_ERR_NOT_INSTALLED);
}

TEST_F(HelpFixture, HookCommandsAndCallHelpFlag) {
    initHelpSystem({}, m_programPath);
    HelpSystem hook(m_helpFile, 0, QString());
    QList<int> contexts;
    QList<QPoint> popups;
    hook.onHelpContext = [&](int context) { contexts.append(context); };

    struct Row {
        int command;
        intptr_t data;
        bool callHelp;
    };
    const Row rows[] = {
        {HELP_CONTEXT, 5, false}, {HELP_SETPOPUP_POS, (20 << 16) | 10, false},
        {HELP_QUIT, 0, true},     {HELP_INDEX, 0, true},
        {HELP_KEY, 0, true},      {HELP_CONTEXTPOPUP, 6, false}, // no popup callback: as context
        {HELP_FINDER, 0, true},   {999, 0, true},
    };
    for (const Row& row : rows) {
        bool callHelp = true;
        EXPECT_TRUE(hook.helpHook(row.command, row.data, callHelp)) << row.command;
        EXPECT_EQ(callHelp, row.callHelp) << row.command;
    }
    EXPECT_EQ(contexts, QList<int>({5, 6}));
    EXPECT_EQ(hook.popupX, 10);
    EXPECT_EQ(hook.popupY, 20);

    hook.onHelpPopup = [&](int context, int x, int y) {
        popups.append(QPoint(x, y));
        contexts.append(context);
    };
    bool callHelp = true;
    hook.helpHook(HELP_SETPOPUP_POS, (0xFFFF << 16) | 0xFFFE, callHelp); // (-2, -1)
    hook.helpHook(HELP_CONTEXTPOPUP, 8, callHelp);
    EXPECT_EQ(popups, QList<QPoint>({QPoint(-2, -1)}));
    EXPECT_EQ(contexts.last(), 8);
    EXPECT_TRUE(HelpViewer::viewers().empty());
}

TEST_F(HelpFixture, HookPutsPreviousHandlerBackAndChains) {
    initHelpSystem({}, m_programPath);
    QList<int> seen;
    setAppHelpHandler([&](int command, intptr_t, bool& callHelp) {
        seen.append(command);
        callHelp = false;
        return false;
    });
    {
        HelpSystem hook(m_helpFile, 0, QString());
        hook.onHelpContext = [](int) {};
        EXPECT_TRUE(appHelpContext(1)); // the hook answers, the previous handler is not asked
        EXPECT_TRUE(seen.isEmpty());
        hook.chainHelp = true;
        EXPECT_FALSE(appHelpContext(1)); // chained: the previous handler's answer counts
        EXPECT_EQ(seen, QList<int>({HELP_CONTEXT}));
    }
    appHelpCommand(HELP_QUIT, 0);
    EXPECT_EQ(seen, QList<int>({HELP_CONTEXT, HELP_QUIT}));
}

TEST(HelpAddress, Parts) {
    struct Row {
        const char* file;
        const char* topic;
        const char* window;
        int host;
        const char* expected;
    };
    const Row rows[] = {
        {"/opt/morvek/mrvk.html", "", "", 0, "/opt/morvek/mrvk.html"},
        {"  my%20game/mrvk.chm ", "", "", 0, "my game/mrvk.chm"},
        {"mrvk.chm", "html\\rules.htm", "", 0, "mrvk.chm::/html/rules.htm"},
        {"mrvk.chm", "/a.htm", " main ", 1, "mrvk.chm::/a.htm>main"},
        {"mrvk.chm", "", "", 2, "mk:@MSITStore:mrvk.chm"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(hhFormatAddress(row.file, row.topic, row.window, row.host).toStdString(),
                  row.expected);
}

} // namespace
