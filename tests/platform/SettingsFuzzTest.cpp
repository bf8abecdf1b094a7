// SPDX-License-Identifier: MIT
// Random damage to a settings file with 37 values (30 of them best-list entries): every value whose
// line the damage left whole must come back after a read and after a write. Seeded, so that a
// failure can be repeated; the seed and the case are printed with it.
#include "QtPrint.h"
#include "SettingsFixture.h"
#include "platform/IniDocument.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace {

class Damage {
  public:
    explicit Damage(uint32_t seed) : m_random(seed) {}

    QByteArray applyTo(QByteArray file) {
        const int count = pick(1, 4);
        for (int k = 0; k < count; ++k)
            file.insert(pick(0, int(file.size())), garbage());
        return file;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

  private:
    QByteArray garbage() {
        static const QByteArray specials[] = {
            "\"",       "\\",   "[",    "]",    "=",
            ";",        ",",    "\n",   "\r",   QByteArray(1, '\0'),
            "@",        "%",    "\xc3", "\xff", "\xed\xa0\x80",
            "\xe2\x82", "\r\n", "\t",   " ",    "#"};
        QByteArray bytes;
        switch (pick(0, 9)) {
        case 0: // a long line
            bytes = QByteArray(pick(1000, 100000), char(pick(32, 126)));
            break;
        case 1: // a block of random bytes
            for (int i = pick(1, 512); i > 0; --i)
                bytes += char(pick(0, 255));
            break;
        default: // a few characters that mean something to an INI reader
            for (int i = pick(1, 6); i > 0; --i)
                bytes += pick(0, 3) == 0 ? QByteArray(1, char(pick(0, 255)))
                                         : specials[pick(0, int(std::size(specials)) - 1)];
        }
        return bytes;
    }

    std::mt19937 m_random;
};

// Lines split as a reader splits them: at "\n", "\r\n" or "\r".
QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r') continue;
        lines << bytes.mid(start, i - start);
        if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

QByteArray leftTrimmed(const QByteArray& line) {
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.mid(i);
}

// The keys whose line the damage left whole, still under "[common]" and not set again further down.
std::vector<QString> undamagedKeys(const QByteArray& damaged,
                                   const std::map<QString, QByteArray>& lineOf) {
    const QList<QByteArray> lines = linesOf(damaged);
    std::vector<QString> keys;
    for (const auto& [key, original] : lineOf) {
        QByteArray section;
        bool whole = false;
        bool setAgain = false;
        for (const QByteArray& line : lines) {
            const QByteArray t = leftTrimmed(line);
            if (whole) {
                const QByteArray rest = t.mid(key.size());
                if (t.startsWith(key.toUtf8()) && leftTrimmed(rest).startsWith('='))
                    setAgain = true;
                if (t.startsWith('[') && t.contains(']')) setAgain = true;
                continue;
            }
            if (t.startsWith('[') && t.contains(']')) section = t;
            if (line == original && section == "[common]") whole = true;
        }
        if (whole && !setAgain) keys.push_back(key);
    }
    return keys;
}

TEST_F(SettingsStoreTest, RandomDamageLosesNoUndamagedValue) {
    const StoredFile stored = writtenByQSettings(m_config.path());
    std::map<QString, QByteArray> lineOf;
    for (const QByteArray& line : linesOf(stored.bytes))
        for (const auto& [key, text] : stored.values)
            if (line.startsWith(key.toUtf8() + '=')) lineOf[key] = line;
    ASSERT_EQ(lineOf.size(), stored.values.size());

    const uint32_t seed = 20261210;
    const int cases = 3000;
    Damage damage(seed);
    int whole = 0, lost = 0, damagedValues = 0, viaFiles = 0;
    for (int c = 0; c < cases; ++c) {
        const QByteArray file = damage.applyTo(stored.bytes);
        const std::vector<QString> keys = undamagedKeys(file, lineOf);
        whole += int(keys.size());
        damagedValues += int(stored.values.size() - keys.size());

        // Read, write one value, read again: in memory, and every 25th case through the store.
        std::vector<QString> read, reread;
        if (c % 25 == 0) {
            ++viaFiles;
            QFile::remove(iniPath() + ".damaged");
            putFile(file);
            SettingsStore ini;
            read = ini.readTexts("common", keys, "<missing>");
            ini.writeText("common", "fuzz", "written");
            reread = ini.readTexts("common", keys, "<missing>");
            const bool keptAside = QFileInfo::exists(iniPath() + ".damaged");
            EXPECT_EQ(keptAside, IniDocument(file).hasDamage()) << "seed " << seed << " case " << c;
            EXPECT_EQ(ini.readText("common", "fuzz", ""), "written");
            EXPECT_FALSE(IniDocument(fileText()).hasDamage()) << "seed " << seed << " case " << c;
        } else {
            IniDocument document(file);
            for (const QString& key : keys) {
                const auto v = document.value("common", key);
                read.push_back(v ? v->text : "<missing>");
            }
            document.setValue("common", "fuzz", "written");
            const QByteArray written = document.toBytes();
            const IniDocument again(written);
            EXPECT_FALSE(again.hasDamage()) << "seed " << seed << " case " << c;
            EXPECT_EQ(IniDocument(written).toBytes(), written);
            for (const QString& key : keys) {
                const auto v = again.value("common", key);
                reread.push_back(v ? v->text : "<missing>");
            }
        }
        for (size_t k = 0; k < keys.size(); ++k) {
            const QString& expected = stored.values.at(keys[k]);
            const bool kept = read[k] == expected && reread[k] == expected;
            if (!kept) {
                ++lost;
                ADD_FAILURE() << "seed " << seed << " case " << c << ": " << keys[k].toStdString()
                              << " read " << read[k].toStdString() << ", after a write "
                              << reread[k].toStdString();
            }
        }
    }
    std::cout << cases << " damaged files (" << viaFiles << " through the store): " << whole
              << " undamaged values, " << lost << " of them lost; " << damagedValues
              << " values hit by the damage\n";
    EXPECT_EQ(lost, 0);
}

} // namespace
