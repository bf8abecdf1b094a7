// SPDX-License-Identifier: MIT
// A settings store in a temporary config folder of its own, with helpers to plant files.
#pragma once

#include "platform/SettingsStore.h"
#include "platform/TextScrambler.h"

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
        ASSERT_TRUE(m_config.isValid());
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        setSettingsNoticeHook([this](const QString& text) { m_notices << text; });
    }
    void TearDown() override {
        setSettingsNoticeHook({});
        qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
    }

    QString iniPath() const { return m_config.path() + "/Tallowin/Morvek/V1.ini"; }
    QByteArray fileText() const {
        QFile f(iniPath());
        return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray();
    }
    void putFile(const QByteArray& bytes) const {
        QDir().mkpath(m_config.path() + "/Tallowin/Morvek");
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QFile::WriteOnly | QFile::Truncate));
        f.write(bytes);
    }
    // The message of the store error the call throws, or "" when it throws none.
    template <typename F> static QString errorOf(F call) {
        try {
            call();
        } catch (const SettingsError& e) {
            return e.text();
        }
        return {};
    }

    QTemporaryDir m_config;
    QByteArray m_savedConfigHome;
    QStringList m_notices;
};

// A settings file as earlier versions of the game left it (written by QSettings): the options, a
// player, a placement record and two best lists of 15 entries, with the values it holds.
struct StoredFile {
    QByteArray bytes;
    std::map<QString, QString> values; // key in [common] -> text
};

inline StoredFile writtenByQSettings(const QString& scratchFolder) {
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
                scrambleText(QStringLiteral("%1,%2").arg(row * 37 + mode).arg(names[row % 6]));
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
template <size_t N> QByteArray bytes(const char (&s)[N]) {
    return QByteArray(s, N - 1);
}
