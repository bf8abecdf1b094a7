// SPDX-License-Identifier: MIT
// The built-in rules viewer and the rules file it shows.
#include "platform/help/HelpViewer.h"
#include "platform/help/HelpControl.h"
#include "platform/help/HelpSystem.h"
#include "platform/help/HtmlScan.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QString RulesFile = QStringLiteral(MORVEK_RUNTIME_DIR "/mrvk.html");

class ViewerFixture : public ::testing::Test {
  protected:
    void TearDown() override { HelpViewer::closeAll(); }
    static QString pageText(HelpViewer* viewer) { return viewer->browser()->toPlainText(); }
};

TEST_F(ViewerFixture, EachTopicShowsOneLanguageOnly) {
    struct Row {
        int topic;
        const char* title;
        QStringList present;
        QStringList absent;
    };
    const Row rows[] = {
        {1,
         "Morvek – Spielregeln",
         {"Worum geht es?", "Größe", "33 Sekunden", "66 Sekunden", "99 Sekunden", "15 besten",
          "Pause", "linken", "rechten", "ersten Klick auf ein Kästchen", "English version"},
         {"The goal", "Wrong moves", "Deutsche Fassung"}},
        {2,
         "Morvek – Rules",
         {"The goal", "33 seconds", "66 seconds", "99 seconds", "15 best times", "pause", "left",
          "right", "first click on a cell", "Deutsche Fassung"},
         {"Worum geht es?", "Spielregeln", "English version"}},
    };
    for (const Row& row : rows) {
        HelpViewer* viewer = HelpViewer::open(RulesFile, row.topic);
        ASSERT_FALSE(viewer->showsError()) << row.topic;
        EXPECT_EQ(viewer->windowTitle().toStdString(), row.title);
        const QString text = pageText(viewer);
        for (const QString& s : row.present)
            EXPECT_TRUE(text.contains(s)) << row.topic << " lacks " << s.toStdString();
        for (const QString& s : row.absent)
            EXPECT_FALSE(text.contains(s)) << row.topic << " shows " << s.toStdString();
    }
}

TEST_F(ViewerFixture, AskingAgainReusesTheWindowAndLinksSwitchLanguage) {
    HelpViewer* first = HelpViewer::open(RulesFile, 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    HelpViewer* second = HelpViewer::open(RulesFile, 2);
    EXPECT_EQ(first, second);
    EXPECT_EQ(HelpViewer::viewers().size(), 1u);
    EXPECT_EQ(second->topic(), 2);
    EXPECT_TRUE(pageText(second).contains(QStringLiteral("The goal")));

    // The link at the top of the English rules leads to the German ones.
    emit second->browser()->anchorClicked(QUrl(QStringLiteral("#1")));
    EXPECT_EQ(second->topic(), 1);
    EXPECT_TRUE(pageText(second).contains(QStringLiteral("Worum geht es?")));

    // Escape closes the window; the next request opens a fresh one.
    QPointer<HelpViewer> closed = second;
    QTest::keyClick(second->browser(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_TRUE(HelpViewer::viewers().empty());
    EXPECT_TRUE(HelpViewer::open(RulesFile, 2)->isVisible());
}

TEST_F(ViewerFixture, CloseAllHelpClosesEveryViewer) {
    loadHelpControl();
    QTemporaryDir dir;
    const QString other = dir.path() + QStringLiteral("/other.html");
    ASSERT_TRUE(QFile::copy(RulesFile, other));
    QPointer<QWidget> a = htmlHelp(nullptr, RulesFile, HH_HELP_CONTEXT, 1);
    QPointer<QWidget> b = htmlHelp(nullptr, other + QStringLiteral(">main"), HH_HELP_CONTEXT, 2);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.data(), b.data());
    closeAllHelp();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
    EXPECT_TRUE(HelpViewer::viewers().empty());

    // Released, the control closes nothing and opens nothing.
    unloadHelpControl();
    HelpViewer::open(RulesFile, 1);
    closeAllHelp();
    EXPECT_EQ(HelpViewer::viewers().size(), 1u);
}

TEST_F(ViewerFixture, OpenViewerDoesNotKeepTheProgramAlive) {
    QWidget game;
    game.show();
    HelpViewer::open(RulesFile, 2);
    // Closing the game window ends the event loop although the rules are still open.
    QTimer::singleShot(0, &game, [&] { game.close(); });
    QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(ViewerFixture, MissingFileOrTopicIsReportedInsideTheViewer) {
    QTemporaryDir dir;
    struct Row {
        const char* name;
        QString file;
        int topic;
        QString german;
        QString english;
    };
    const Row rows[] = {
        {"missing file", dir.path() + QStringLiteral("/mrvk.html"), 1,
         QStringLiteral("wurde nicht gefunden"), QStringLiteral("was not found")},
        {"missing topic", RulesFile, 9, QStringLiteral("enthält das Thema 9 nicht"),
         QStringLiteral("has no topic 9")},
        {"topic 0", RulesFile, 0, QStringLiteral("Thema 0"), QStringLiteral("no topic 0")},
        {"percent signs in the path", dir.path() + QStringLiteral("/a%2b%1/mrvk.html"), 7,
         QStringLiteral("/a%2b%1/mrvk.html enthält das Thema 7 nicht"),
         QStringLiteral("/a%2b%1/mrvk.html has no topic 7")},
    };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a%2b%1")));
    ASSERT_TRUE(QFile::copy(RulesFile, dir.path() + QStringLiteral("/a%2b%1/mrvk.html")));
    for (const Row& row : rows) {
        HelpViewer* viewer = HelpViewer::open(row.file, row.topic);
        EXPECT_TRUE(viewer->showsError()) << row.name;
        EXPECT_TRUE(viewer->isVisible()) << row.name;
        const QString text = pageText(viewer);
        EXPECT_TRUE(text.contains(row.german)) << row.name << ": " << text.toStdString();
        EXPECT_TRUE(text.contains(row.english)) << row.name;
    }
    // A good topic after a report shows normally again.
    EXPECT_FALSE(HelpViewer::open(RulesFile, 2)->showsError());
}

TEST_F(ViewerFixture, MissingFileThroughTheHelpRequestShowsNoMessageBox) {
    QTemporaryDir dir;
    QStringList boxes;
    const MessageBoxFunction old =
        setHelpMessageBoxHook([&](const QString&, const QString& text) { boxes.append(text); });
    initHelpSystem({}, dir.path() + QStringLiteral("/morvek"));
    EXPECT_EQ(hhHelpContext(dir.path() + QStringLiteral("/mrvk.html"), 1, QString(), 0), 0);
    ASSERT_EQ(HelpViewer::viewers().size(), 1u);
    EXPECT_TRUE(HelpViewer::viewers()[0]->showsError());
    EXPECT_TRUE(boxes.isEmpty());
    doneHelpSystem();
    setHelpMessageBoxHook(old);
}

TEST(HelpSection, Extraction) {
    struct Row {
        const char* name;
        const char* html;
        const char* id;
        const char* expected;
    };
    const Row rows[] = {
        {"double quotes", R"(<p>x</p><div id="1">a</div><div id="2">b</div>)", "1",
         R"(<div id="1">a</div>)"},
        {"nested same element", R"(<div id="2"><div>in</div>tail</div><div>next</div>)", "2",
         R"(<div id="2"><div>in</div>tail</div>)"},
        {"single quotes, other attributes", R"(<DIV class='x' ID='2' >b</Div>)", "2",
         R"(<DIV class='x' ID='2' >b</Div>)"},
        {"unquoted", R"(<section id=1>s</section>)", "1", R"(<section id=1>s</section>)"},
        {"1 is not 10", R"(<div id="10">ten</div><div id="1">one</div>)", "1",
         R"(<div id="1">one</div>)"},
        {"data-id is not id", R"(<div data-id="1">no</div>)", "1", ""},
        {"missing", R"(<div id="1">a</div>)", "3", ""},
        {"unclosed runs to the end", R"(<div id="1">a<p>b)", "1", R"(<div id="1">a<p>b)"},
        {"anchor point", R"(<a id="1"/>text)", "1", R"(<a id="1"/>)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(HelpViewer::extractSection(QString::fromUtf8(row.html), QString::fromUtf8(row.id))
                      .toStdString(),
                  row.expected)
            << row.name;
}

TEST_F(ViewerFixture, PointAnchorShowsWholeFileFromThere) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/h.html");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<html><body><p>Intro</p><a name=\"x\" id=\"4\"></a><h1>Four</h1><p>Body</p>"
              "</body></html>");
    out.close();
    HelpViewer* viewer = HelpViewer::open(file, 4);
    EXPECT_FALSE(viewer->showsError());
    EXPECT_TRUE(pageText(viewer).contains(QStringLiteral("Body")));
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return path;
}

QByteArray repeated(const QByteArray& piece, int times) {
    QByteArray bytes;
    bytes.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        bytes += piece;
    return bytes;
}

// Files that would hold the game for minutes, or take gigabytes, are refused with a report in the
// viewer. (A frozen viewer would show as this test running into its time limit; CTest runs it
// once more under a memory limit.)
TEST_F(ViewerFixture, HostileRulesFilesAreRefusedQuickly) {
    QTemporaryDir dir;
    struct Row {
        const char* name;
        QByteArray body; // inside the topic's element
        const char* english;
    };
    const Row rows[] = {
        {"over the size cap", QByteArray(600 * 1024, 'x'), "is too large"},
        {"100,000 unclosed div", repeated("<div>", 100000), "nested too deeply"},
        {"5,000 unclosed b", repeated("<b>x", 5000), "nested too deeply"},
        {"tables 18 deep", repeated("<table><tr><td>", 18), "nested too deeply"},
        {"tables 20 deep", repeated("<table><tr><td>", 20), "nested too deeply"},
        {"tables 50 deep", repeated("<table><tr><td>", 50), "nested too deeply"},
        {"a space after '<'", repeated("< span>", 50000), "nested too deeply"},
        {"closing tags of other names", repeated("<span></x>", 50000), "nested too deeply"},
        {"a 400 kB word", QByteArray(400 * 1024, 'w'), "a word too long"},
        {"30,000 closed spans", repeated("<span>x</span>", 15000), "too many tags"},
    };
    for (const Row& row : rows) {
        const QString file =
            writeFile(dir.path() + "/mrvk.html", "<div id=\"2\"><h1>T</h1>" + row.body + "</div>");
        HelpViewer* viewer = HelpViewer::open(file, 2);
        EXPECT_TRUE(viewer->showsError()) << row.name;
        EXPECT_TRUE(pageText(viewer).contains(row.english))
            << row.name << pageText(viewer).toStdString();
        HelpViewer::closeAll();
    }
    // Broken tags that made pattern searches go over the text again and again.
    QByteArray tags = "<div id=\"2\"><h1>T</h1>ok</div>";
    for (int i = 0; i < 30000; ++i)
        tags += "<head<h1<a ";
    HelpViewer* viewer = HelpViewer::open(writeFile(dir.path() + "/mrvk.html", tags), 2);
    EXPECT_FALSE(viewer->showsError());
    EXPECT_EQ(viewer->windowTitle(), "T");
    // Real rules nest a few levels: the game's own file is far below every limit.
    EXPECT_FALSE(HelpViewer::open(RulesFile, 2)->showsError());
    EXPECT_FALSE(HelpViewer::open(RulesFile, 1)->showsError());
}

// Nesting is counted by open elements: a closing tag ends only an element of its own name.
TEST(HelpNesting, ClosingTagsEndOnlyTheirOwnElements) {
    const struct {
        const char* html;
        int depth;
    } rows[] = {
        {"<div><span></x></span></div>", 2}, {"<div></div><div></div>", 1},
        {"< span>< span></ span>", 2},       {"<div><b></div>x</b>", 2}, // the b ends with its div
        {"<p><li><td><br><img/>", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(htmlNestingDepth(QString::fromLatin1(row.html)), row.depth) << row.html;
}

// Stands in for the desktop's handlers of link schemes.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QStringList opened;
  public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

// Only web and mail addresses leave the viewer; links into the rules file itself work.
TEST_F(ViewerFixture, LinksLeaveOnlyForWebAndMail) {
    UrlCatcher catcher;
    const QStringList schemes = {"http", "https", "mailto", "javascript", "data",    "smb",
                                 "file", "ftp",   "myapp",  "steam",      "vbscript"};
    for (const QString& scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    HelpViewer* viewer = HelpViewer::open(RulesFile, 2);
    const QStringList links = {"http://example.org/x",
                               "https://example.org/",
                               "mailto:someone@example.org",
                               "javascript:alert(1)",
                               "data:text/html,<script>alert(1)</script>",
                               "smb://server/share",
                               "file:///etc/passwd",
                               "ftp://example.org/",
                               "myapp://do-something",
                               "steam://run/1",
                               "vbscript:x",
                               "/etc/passwd",
                               "other.html"};
    for (const QString& link : links)
        emit viewer->browser()->anchorClicked(QUrl(link));
    for (const QString& scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);
    EXPECT_EQ(catcher.opened, (QStringList{"http://example.org/x", "https://example.org/",
                                           "mailto:someone@example.org"}));
    // The rules file by its own name, with a topic.
    emit viewer->browser()->anchorClicked(QUrl("mrvk.html#1"));
    EXPECT_EQ(viewer->topic(), 1);
    EXPECT_FALSE(viewer->showsError());
}

// Pictures and style sheets come only from the rules file's folder (and below it); a refused one
// is an empty stand-in, so that the text document does not go and read the address itself.
TEST_F(ViewerFixture, LocalFilesLoadOnlyFromTheRulesFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("rules/img"));
    const QString rules = dir.path() + "/rules";
    writeFile(rules + "/pic.css", "p { color: red }");
    writeFile(rules + "/img/deep.css", "p { color: red }");
    writeFile(dir.path() + "/outside.css", "p { color: red }");
    ASSERT_TRUE(QFile::link(dir.path() + "/outside.css", rules + "/sneaky.css"));
    writeFile(rules + "/mrvk.html", "<div id=\"2\"><h1>T</h1><img src=\"../outside.css\"></div>");
    HelpViewer* viewer = HelpViewer::open(rules + "/mrvk.html", 2);
    ASSERT_FALSE(viewer->showsError());
    QTextBrowser* browser = viewer->browser();
    const int css = QTextDocument::StyleSheetResource;
    auto loaded = [&](const QUrl& url) {
        const QVariant v = browser->loadResource(css, url);
        EXPECT_TRUE(v.isValid()) << url.toString().toStdString();
        return v.toByteArray();
    };
    EXPECT_EQ(loaded(QUrl("pic.css")), "p { color: red }");
    EXPECT_EQ(loaded(QUrl("img/deep.css")), "p { color: red }");
    EXPECT_EQ(loaded(QUrl("../outside.css")), "");
    EXPECT_EQ(loaded(QUrl("sneaky.css")), "");
    EXPECT_EQ(loaded(QUrl::fromLocalFile(dir.path() + "/outside.css")), "");
    EXPECT_EQ(loaded(QUrl("http://example.org/a.css")), "");
    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, QUrl("../outside.png"));
    ASSERT_EQ(picture.typeId(), QMetaType::QImage);
    EXPECT_FALSE(picture.value<QImage>().isNull());
}

// However a rules file points outside its folder (pictures, style sheets, imports, backgrounds,
// devices), nothing there is opened: the folder is watched for every open while the page shows.
TEST_F(ViewerFixture, NothingOutsideTheRulesFolderIsOpened) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("rules") && QDir(dir.path()).mkpath("out"));
    const QString out = dir.path() + "/out";
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(out + "/secret.png"));
    writeFile(out + "/secret.css", "body { color: red }");
    const QByteArray abs = QFile::encodeName(out);
    writeFile(dir.path() + "/rules/mrvk.html",
              "<html><head><link rel=\"stylesheet\" href=\"../out/secret.css\">"
              "<style>@import url(\"" +
                  abs +
                  "/secret.css\"); "
                  "body { background-image: url(../out/secret.png) }</style></head><body>"
                  "<div id=\"2\"><h1>T</h1><img src=\"../out/secret.png\"><img src=\"" +
                  abs + "/secret.png\"><img src=\"file://" + abs +
                  "/secret.png\">"
                  "<img src=\"/dev/zero\"><p style=\"background-image: url(" +
                  abs + "/secret.png)\">x</p></div></body></html>");
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(out).constData(), IN_OPEN | IN_ACCESS), 0);
    ASSERT_GE(inotify_add_watch(watch, "/dev/zero", IN_OPEN | IN_ACCESS), 0);
    HelpViewer* viewer = HelpViewer::open(dir.path() + "/rules/mrvk.html", 2);
    ASSERT_FALSE(viewer->showsError());
    viewer->browser()->grab(); // lays the page out and paints its pictures
    QCoreApplication::processEvents();
    char events[4096];
    const ssize_t n = ::read(watch, events, sizeof events);
    ::close(watch);
    EXPECT_LT(n, 1) << "a file outside the rules folder was opened";
    EXPECT_TRUE(pageText(viewer).contains("x"));
}

} // namespace

#include "HelpViewerTest.moc"
