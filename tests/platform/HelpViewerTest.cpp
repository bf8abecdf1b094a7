// The built-in rules viewer and the rules file it shows.
#include "HelpViewer.h"
#include "hh.h"
#include "hh_funcs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString RulesFile = QStringLiteral(MORVEK_RUNTIME_DIR "/mrvk.html");

class ViewerFixture : public ::testing::Test {
  protected:
    void TearDown() override { THelpViewer::CloseAll(); }
    static QString Text(THelpViewer* viewer) { return viewer->Browser()->toPlainText(); }
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
        THelpViewer* viewer = THelpViewer::Open(RulesFile, row.topic);
        ASSERT_FALSE(viewer->ShowsError()) << row.topic;
        EXPECT_EQ(viewer->windowTitle().toStdString(), row.title);
        const QString text = Text(viewer);
        for (const QString& s : row.present)
            EXPECT_TRUE(text.contains(s)) << row.topic << " lacks " << s.toStdString();
        for (const QString& s : row.absent)
            EXPECT_FALSE(text.contains(s)) << row.topic << " shows " << s.toStdString();
    }
}

TEST_F(ViewerFixture, AskingAgainReusesTheWindowAndLinksSwitchLanguage) {
    THelpViewer* first = THelpViewer::Open(RulesFile, 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    THelpViewer* second = THelpViewer::Open(RulesFile, 2);
    EXPECT_EQ(first, second);
    EXPECT_EQ(THelpViewer::Viewers().size(), 1u);
    EXPECT_EQ(second->Topic(), 2);
    EXPECT_TRUE(Text(second).contains(QStringLiteral("The goal")));

    // The link at the top of the English rules leads to the German ones.
    emit second->Browser()->anchorClicked(QUrl(QStringLiteral("#1")));
    EXPECT_EQ(second->Topic(), 1);
    EXPECT_TRUE(Text(second).contains(QStringLiteral("Worum geht es?")));

    // Escape closes the window; the next request opens a fresh one.
    QPointer<THelpViewer> closed = second;
    QTest::keyClick(second->Browser(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_TRUE(THelpViewer::Viewers().empty());
    EXPECT_TRUE(THelpViewer::Open(RulesFile, 2)->isVisible());
}

TEST_F(ViewerFixture, CloseAllHelpClosesEveryViewer) {
    LoadHelpControl();
    QTemporaryDir dir;
    const QString other = dir.path() + QStringLiteral("/other.html");
    ASSERT_TRUE(QFile::copy(RulesFile, other));
    QPointer<QWidget> a = HtmlHelp(nullptr, RulesFile, HH_HELP_CONTEXT, 1);
    QPointer<QWidget> b = HtmlHelp(nullptr, other + QStringLiteral(">main"), HH_HELP_CONTEXT, 2);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.data(), b.data());
    CloseAllHelp();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
    EXPECT_TRUE(THelpViewer::Viewers().empty());

    // Released, the control closes nothing and opens nothing.
    UnloadHelpControl();
    THelpViewer::Open(RulesFile, 1);
    CloseAllHelp();
    EXPECT_EQ(THelpViewer::Viewers().size(), 1u);
}

TEST_F(ViewerFixture, OpenViewerDoesNotKeepTheProgramAlive) {
    QWidget game;
    game.show();
    THelpViewer::Open(RulesFile, 2);
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
        THelpViewer* viewer = THelpViewer::Open(row.file, row.topic);
        EXPECT_TRUE(viewer->ShowsError()) << row.name;
        EXPECT_TRUE(viewer->isVisible()) << row.name;
        const QString text = Text(viewer);
        EXPECT_TRUE(text.contains(row.german)) << row.name << ": " << text.toStdString();
        EXPECT_TRUE(text.contains(row.english)) << row.name;
    }
    // A good topic after a report shows normally again.
    EXPECT_FALSE(THelpViewer::Open(RulesFile, 2)->ShowsError());
}

TEST_F(ViewerFixture, MissingFileThroughTheHelpRequestShowsNoMessageBox) {
    QTemporaryDir dir;
    QStringList boxes;
    const TMessageBoxHook old =
        SetHelpMessageBoxHook([&](const QString&, const QString& text) { boxes.append(text); });
    InitHelpSystem({}, dir.path() + QStringLiteral("/morvek"));
    EXPECT_EQ(HHHelpContext(dir.path() + QStringLiteral("/mrvk.html"), 1, QString(), 0), 0);
    ASSERT_EQ(THelpViewer::Viewers().size(), 1u);
    EXPECT_TRUE(THelpViewer::Viewers()[0]->ShowsError());
    EXPECT_TRUE(boxes.isEmpty());
    DoneHelpSystem();
    SetHelpMessageBoxHook(old);
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
        EXPECT_EQ(
            THelpViewer::ExtractSection(QString::fromUtf8(row.html), QString::fromUtf8(row.id))
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
    THelpViewer* viewer = THelpViewer::Open(file, 4);
    EXPECT_FALSE(viewer->ShowsError());
    EXPECT_TRUE(Text(viewer).contains(QStringLiteral("Body")));
}

} // namespace
