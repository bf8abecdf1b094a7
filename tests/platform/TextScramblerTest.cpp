// SPDX-License-Identifier: MIT
// The text scrambler against independently computed vectors and true 80-bit arithmetic.
#include "platform/TextScrambler.h"
#include "QtPrint.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

class TextScramblerTest : public ::testing::Test {
  protected:
    void SetUp() override { setupScrambler(); }
    void TearDown() override { setupScrambler(); }
};

QStringList fixtureLines() {
    QFile f(QString(MORVEK_TEST_DATA) + "/fixtures/scrambler_vectors.txt");
    EXPECT_TRUE(f.open(QFile::ReadOnly));
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Made by fixtures/scrambler_reference.py with exact fractions.
TEST_F(TextScramblerTest, MatchesTheReferenceVectors) {
    int shiftRows = 0;
    int textRows = 0;
    for (const QString& line : fixtureLines()) {
        const QStringList f = line.split(u'\t');
        SCOPED_TRACE(line.left(60).toStdString());
        if (f[0] == "shifts") {
            ++shiftRows;
            const QStringList expected = f[3].split(u' ');
            const std::vector<int32_t> shifts =
                scramblerShifts(f[1].toInt(), f[2].toInt(), static_cast<int32_t>(expected.size()));
            for (qsizetype p = 0; p < expected.size(); ++p)
                ASSERT_EQ(shifts[p], expected[p].toInt()) << "position " << p;
        } else if (f[0] == "scramble") {
            ++textRows;
            setupScrambler(QString::fromLatin1(DefaultScramblerAlphabet), f[1].toInt());
            EXPECT_EQ(scrambleText(f[2]), f[3]);
            EXPECT_EQ(unscrambleText(f[3]), f[2]);
        }
    }
    EXPECT_GT(shiftRows, 0);
    EXPECT_GT(textRows, 0);
}

#if LDBL_MANT_DIG == 64
// The FPU's own extended precision, where the compiler has it: the same shifts far along.
std::vector<int32_t> extendedShifts(int32_t key, int32_t m, int32_t count) {
    const long double pi = 0xC90FDAA22168C235p-62L;
    volatile double x = static_cast<double>(std::fabs(static_cast<long double>(key) / pi));
    std::vector<int32_t> shifts;
    for (int32_t p = 0; p < count; ++p) {
        x = x - std::trunc(x);
        shifts.push_back(static_cast<int32_t>(std::trunc(static_cast<long double>(m) * x)));
        x = static_cast<double>(static_cast<long double>(x) * 997 + pi);
    }
    return shifts;
}

TEST_F(TextScramblerTest, MatchesExtendedPrecisionArithmetic) {
    for (int32_t key : {47261, 1, 2, 3, 1000, 65535, 123456789, INT32_MAX, -47261, INT32_MIN + 1})
        for (int32_t m : {62, 10, 97}) {
            SCOPED_TRACE(testing::Message() << "key " << key << " m " << m);
            EXPECT_EQ(scramblerShifts(key, m, 20000), extendedShifts(key, m, 20000));
        }
}
#endif

TEST_F(TextScramblerTest, UnscramblingGivesBackAnyText) {
    const QString texts[] = {
        "",
        "A",
        "Mr.Brain",
        "12,Müller,340",
        "  ,,  ",
        "0123456789",
        "ÄÖÜäöüß",
        "tab\there",
        QString(500, u'z'),
        "hs110=Anna, 999 Sek.",
        QString::fromUtf8("emoji 😀 and ü"),
    };
    for (int32_t key : {DefaultScramblerKey, 1, 0, -5, INT32_MIN}) {
        setupScrambler(QString::fromLatin1(DefaultScramblerAlphabet), key);
        for (const QString& t : texts) {
            SCOPED_TRACE(testing::Message() << "key " << key << ": " << t.toStdString());
            const QString s = scrambleText(t);
            EXPECT_EQ(s.size(), t.size());
            EXPECT_EQ(unscrambleText(s), t);
            for (qsizetype p = 0; p < t.size(); ++p) {
                if (!QString::fromLatin1(DefaultScramblerAlphabet).contains(t[p])) {
                    EXPECT_EQ(s[p], t[p]) << "position " << p;
                }
            }
        }
    }
}

TEST_F(TextScramblerTest, ScramblingChangesTheText) {
    // Every character is moved by the shift of its position, so a run of one letter scatters.
    const QString s = scrambleText(QString(62, u'A'));
    EXPECT_NE(s, QString(62, u'A'));
    EXPECT_GT(QSet<QChar>(s.begin(), s.end()).size(), 20);
}

TEST_F(TextScramblerTest, OddAlphabetsStillRoundTrip) {
    const QString text = "abcabc, AAA 123";
    for (const QString& alphabet : {QString("aab"), QString("cba"), QString("a"), QString()}) {
        setupScrambler(alphabet, 99);
        EXPECT_EQ(unscrambleText(scrambleText(text)), text) << alphabet.toStdString();
    }
    setupScrambler(QString(), 99);
    EXPECT_EQ(scrambleText(text), text);
}

} // namespace
