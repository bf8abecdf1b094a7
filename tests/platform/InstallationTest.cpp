// SPDX-License-Identifier: MIT
// Where the game looks for its files, and how it names itself to the desktop.
#include "platform/Installation.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(Installation, DataBesideTheProgramComesFirst) {
    struct Row {
        const char* name;
        bool beside, installed;
        bool wantBeside; // else the installed data folder
    };
    const Row rows[] = {
        {"build folder", true, false, true},
        {"installed", false, true, false},
        {"both", true, true, true},
        // Nothing found: the program's own folder, which the missing-file reports then name.
        {"neither", false, false, true},
    };
    for (const Row& row : rows) {
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString program = root.filePath(QStringLiteral("prefix/bin"));
        ASSERT_TRUE(QDir().mkpath(program));
        const QString installed =
            QDir::cleanPath(QDir(program).filePath(installedDataPath())) + QLatin1Char('/');
        if (row.beside) touch(program + QStringLiteral("/mrvk.html"));
        if (row.installed) touch(installed + QStringLiteral("mrvk.html"));
        // Music alone does not make a data folder.
        if (!row.beside) touch(program + QStringLiteral("/ode.mid"));
        const QString want = row.wantBeside ? program + QLatin1Char('/') : installed;
        EXPECT_EQ(gameDataFolder(program), want) << row.name;
        EXPECT_EQ(gameDataFolder(program + QLatin1Char('/')), want) << row.name;
    }
}

TEST(Installation, DesktopIdentity) {
    applyDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.tallowin.morvek"));
    EXPECT_EQ(desktopId(), QGuiApplication::desktopFileName());
    const QIcon icon = QGuiApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    // Every size is drawn for itself, none scaled from another.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}
