// SPDX-License-Identifier: MIT
// The general error report: a failing event handler ends, its text is shown, the game runs on.
#include "platform/Application.h"
#include "QtPrint.h"
#include "platform/QuitSignals.h"
#include "platform/SettingsStore.h"
#include "platform/WindowPlacement.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace {

// A window whose mouse handler fails the way a settings operation does.
class FailingWindow : public QWidget {
  public:
    int clicks = 0;
    int shows = 0;
    bool fail = true;

  protected:
    void mousePressEvent(QMouseEvent*) override {
        ++clicks;
        if (fail) throw SettingsError("Fehler beim Setzen der Daten für 'mode'");
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("something else");
        return QWidget::event(e);
    }
    void showEvent(QShowEvent*) override { ++shows; }
};

class ErrorReport : public ::testing::Test {
  protected:
    void SetUp() override {
        Application::errorHook = [this](const QString& text) { m_reports << text; };
    }
    void TearDown() override { Application::errorHook = nullptr; }
    QStringList m_reports;
};

TEST_F(ErrorReport, AFailingHandlerEndsAndTheGameRunsOn) {
    FailingWindow w;
    w.show();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);

    QTest::mouseClick(&w, Qt::LeftButton);
    EXPECT_EQ(m_reports, QStringList{"Fehler beim Setzen der Daten für 'mode'"});

    // A failure delivered by the event loop itself.
    QCoreApplication::postEvent(&w, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_reports.size(), 2);
    EXPECT_EQ(m_reports.value(1), "something else");

    // Events keep flowing afterwards.
    w.fail = false;
    QTest::mouseClick(&w, Qt::LeftButton);
    EXPECT_EQ(w.clicks, 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }));
    EXPECT_EQ(m_reports.size(), 2);
}

TEST_F(ErrorReport, AnUnreadablePlacementEndsTheShowStepButTheWindowShows) {
    QTemporaryDir dir;
    SettingsStore ini(dir.path() + "/V1.ini");
    ini.writeText(Setting::mainForm, "x");
    QFile f(ini.fileName());
    ASSERT_TRUE(f.open(QFile::WriteOnly | QFile::Truncate));
    f.write("[common]\nMainForm=@Rect(1 2 3 4)\n"); // a typed value, not text
    f.close();

    FailingWindow w;
    w.resize(300, 200);
    WindowPlacement form(&w, ini);
    w.show();
    EXPECT_EQ(m_reports, QStringList{"Ungültiger Datentyp für 'MainForm'"});
    EXPECT_EQ(w.shows, 0); // the window's own show handler did not run
    EXPECT_TRUE(w.isVisible());
    // The limit is on the outer size, frame included.
    EXPECT_GE(w.frameGeometry().width(), TrackMinWidth);
    EXPECT_GE(w.frameGeometry().height(), TrackMinHeight);
    w.resize(100, 100);
    EXPECT_EQ(w.frameGeometry().size(), QSize(TrackMinWidth, TrackMinHeight));
}

TEST(ErrorReportBox, ShowsTheTextInAMessageBox) {
    QString shown;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        title = box->windowTitle();
        box->accept();
    });
    Application::reportError("Erzeugung von Schlüssel common misslungen");
    EXPECT_EQ(shown, "Erzeugung von Schlüssel common misslungen");
    EXPECT_EQ(title, QApplication::applicationDisplayName());
}

// The handler runs from the event loop, once, and the program goes on until it decides to end.
TEST(QuitSignal, ReachesTheEventLoop) {
    int calls = 0;
    installQuitSignals([&] { ++calls; });
    std::raise(SIGHUP);
    EXPECT_EQ(calls, 0); // not inside the signal handler
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }));
    QTest::qWait(50);
    EXPECT_EQ(calls, 1);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
