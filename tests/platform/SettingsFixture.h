// A settings store in a temporary config folder of its own, with helpers to plant files.
#pragma once

#include "SettingsStore.h"
#include "TextScrambler.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

// Each test gets its own config folder, also as XDG_CONFIG_HOME for the default location.
class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Config.isValid());
        SavedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", Config.path().toLocal8Bit());
        SetSettingsNoticeHook([this](const QString& text) { Notices << text; });
    }
    void TearDown() override {
        SetSettingsNoticeHook({});
        qputenv("XDG_CONFIG_HOME", SavedConfigHome);
    }

    QString IniPath() const { return Config.path() + "/Tallowin/Morvek/V1.ini"; }
    QByteArray FileText() const {
        QFile f(IniPath());
        return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray();
    }
    void PutFile(const QByteArray& bytes) const {
        QDir().mkpath(Config.path() + "/Tallowin/Morvek");
        QFile f(IniPath());
        ASSERT_TRUE(f.open(QFile::WriteOnly | QFile::Truncate));
        f.write(bytes);
    }
    // The message of the store error the call throws, or "" when it throws none.
    template <typename F> static QString ErrorOf(F call) {
        try {
            call();
        } catch (const ESettingsError& e) {
            return e.Text();
        }
        return {};
    }

    QTemporaryDir Config;
    QByteArray SavedConfigHome;
    QStringList Notices;
};

// A settings file as earlier versions of the game left it (written by QSettings): the options, a
// player, a placement record and two best lists of 15 entries, with the values it holds.
struct StoredFile {
    QByteArray bytes;
    std::map<QString, QString> values; // key in [common] -> text
};

inline StoredFile WrittenByQSettings(const QString& scratchFolder) {
    StoredFile file;
    file.values = {{"tongue", "1"},
                   {"sound", "0"},
                   {"music", "0"},
                   {"backmode", "3"},
                   {"mode", "4"},
                   {"player", "Anna \"Ace\" B."},
                   {"MainForm", "200,0,1,10,20,800,600"}};
    // Entries as the best list stores them: scrambled "score,name" texts.
    const char* const names[] = {"Mr. Brain", "Anna", "Bob, Jr.", "Ölaf", "x=y;z", "  pad  "};
    for (int mode : {1, 3})
        for (int row = 0; row < 15; ++row)
            file.values[QStringLiteral("hs%1%2").arg(mode).arg(row)] =
                ScrambleText(QStringLiteral("%1,%2").arg(row * 37 + mode).arg(names[row % 6]));
    const QString path = scratchFolder + "/written-by-qsettings.ini";
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.beginGroup("common");
        for (const auto& [key, text] : file.values)
            settings.setValue(key, text);
        settings.endGroup();
    }
    QFile f(path);
    if (f.open(QFile::ReadOnly)) file.bytes = f.readAll();
    QFile::remove(path);
    return file;
}

// Bytes of a literal, NULs included.
template <size_t N> QByteArray Bytes(const char (&s)[N]) {
    return QByteArray(s, N - 1);
}
