// SPDX-License-Identifier: MIT
// The image set, the wave sounds and the music files: presence, geometry and the properties the
// painters and players rely on.
#include "view/DialogImages.h"
#include "view/ImageSet.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace {

// The lists by name, loaded once.
struct ImageLists {
    BitmapList bmps = loadMainBitmaps();
    DialogImages shared;
    const BitmapList& get(const std::string& name) const {
        if (name == "bmps") return bmps;
        if (name == "dlgs") return shared.dlgs;
        if (name == "opts") return shared.opts;
        return shared.btns;
    }
};
const ImageLists& lists() {
    static const ImageLists lists;
    return lists;
}

struct ListItem {
    std::string list;
    int item;
};
std::ostream& operator<<(std::ostream& os, const ListItem& i) {
    return os << i.list << " " << i.item;
}

// Every 50 x 50 button face of the game, the plain white faces included.
std::vector<ListItem> faces() {
    std::vector<ListItem> faces;
    for (int i = 1; i <= 16; ++i)
        if (i != 10) faces.push_back({"bmps", i});
    faces.push_back({"dlgs", 0});
    for (int i = 5; i <= 27; ++i)
        faces.push_back({"dlgs", i});
    for (int i = 0; i < OptBitmapCount; ++i)
        faces.push_back({"opts", i});
    for (int i = 0; i < BtnBitmapCount; ++i)
        faces.push_back({"btns", i});
    return faces;
}

// Disabled faces must be greys only.
const std::vector<ListItem> GreyedFaces = {{"bmps", 3},  {"bmps", 6}, {"bmps", 9}, {"bmps", 13},
                                           {"bmps", 16}, {"opts", 5}, {"opts", 11}};

TEST(ImageSet, EveryListHasItsItemsAllLoaded) {
    const std::map<std::string, int> counts = {{"bmps", MainBitmapCount},
                                               {"dlgs", DlgBitmapCount},
                                               {"opts", OptBitmapCount},
                                               {"btns", BtnBitmapCount}};
    EXPECT_EQ(counts.at("bmps"), 17);
    EXPECT_EQ(counts.at("dlgs"), 28);
    EXPECT_EQ(counts.at("opts"), 16);
    EXPECT_EQ(counts.at("btns"), 9);
    for (const auto& [name, count] : counts) {
        const BitmapList& list = lists().get(name);
        ASSERT_EQ(list.count(), count) << name;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(list.valid(i)) << name << " " << i;
            EXPECT_EQ(list.item(i).format(), QImage::Format_RGB32) << name << " " << i;
        }
        EXPECT_FALSE(list.valid(count)) << name;
    }
}

TEST(ImageSet, ResourcesAreRegisteredInTheProgram) {
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/bmps/0.raw")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/dlgs/1.png")));
    EXPECT_FALSE(QImage(QStringLiteral(":/dlgs/1.png")).isNull());
}

TEST(ImageSet, EachModuleLoadsItsOwnLists) {
    // The static lists above hold one module; a second one has lists of its own.
    const DialogImages& first = lists().shared;
    DialogImages second;
    EXPECT_EQ(second.btns.count(), BtnBitmapCount);
    EXPECT_NE(&second.btns, &first.btns);
}

TEST(ImageSet, PanelPicturesHaveTheirSizes) {
    const struct {
        ListItem item;
        QSize size;
    } rows[] = {
        {{"bmps", 0}, {200, 700}}, {{"bmps", 10}, {240, 54}}, {{"dlgs", 1}, {160, 120}},
        {{"dlgs", 2}, {160, 120}}, {{"dlgs", 3}, {100, 75}},  {{"dlgs", 4}, {100, 57}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(lists().get(row.item.list).item(row.item.item).size(), row.size) << row.item;
}

TEST(ImageSet, TileSizeComesFromTheStrip) {
    EXPECT_EQ(backgroundTileSize(lists().bmps.item(BackgroundStripItem)), QSize(100, 100));
    EXPECT_EQ(backgroundTileSize(QImage(160, 560, QImage::Format_RGB32)), QSize(80, 80));
}

// Scaled screens draw the main window from pictures with two pixels per point: every face and
// the strip there, each covering the same points with the same transparent corner.
TEST(ImageSet, MainWindowPicturesComeWithTwoPixelsPerPoint) {
    std::vector<std::pair<const BitmapList*, int>> items;
    for (int n = 0; n < MainBitmapCount; ++n)
        if (n != DigitStripItem) items.emplace_back(&lists().bmps, n);
    for (int n = 0; n < BtnBitmapCount; ++n)
        items.emplace_back(&lists().shared.btns, n);
    for (const auto& [list, n] : items) {
        SCOPED_TRACE(n);
        const QImage& plain = list->item(n);
        const QImage& sharp = list->itemAt(n, 1.5);
        EXPECT_EQ(sharp.size(), plain.size() * 2);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        if (plain.pixel(0, plain.height() - 1) == qRgb(255, 255, 255)) { // a face
            EXPECT_EQ(sharp.pixel(0, sharp.height() - 1), qRgb(255, 255, 255));
        }
        EXPECT_EQ(&list->itemAt(n, 1.0), &plain);
    }
    // The counters are text on scaled screens; their strip has no sharp twin.
    EXPECT_EQ(&lists().bmps.itemAt(DigitStripItem, 2.0), &lists().bmps.item(DigitStripItem));
}

TEST(ImageSet, FacesAreFramedSquaresWithAWhiteTransparentCorner) {
    for (const ListItem& face : faces()) {
        const QImage& img = lists().get(face.list).item(face.item);
        ASSERT_EQ(img.size(), QSize(50, 50)) << face;
        // The bottom-left pixel gives the transparent colour of image buttons.
        EXPECT_EQ(img.pixel(0, 49), qRgb(255, 255, 255)) << face;
    }
}

TEST(ImageSet, DrawnFacesKeepPureWhiteOutOfTheirInside) {
    // Inside the frame pure white would turn transparent on the button.
    for (const ListItem& face : faces()) {
        if (face.item == 0) continue; // the plain white faces
        const QImage& img = lists().get(face.list).item(face.item);
        for (int y = 6; y < 44; ++y)
            for (int x = 6; x < 44; ++x)
                ASSERT_NE(img.pixel(x, y), qRgb(255, 255, 255)) << face << " at " << x << "," << y;
        EXPECT_LT(qGray(img.pixel(1, 25)), 100) << face << ": no frame on the left";
    }
}

TEST(ImageSet, GreyedFacesAreGreysOnly) {
    for (const ListItem& face : GreyedFaces) {
        const QImage& img = lists().get(face.list).item(face.item);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
                    << face << " at " << x << "," << y;
            }
    }
}

// How far a greyed face's motif stands off its ground, in grey levels: the ground's grey is the
// median of a ring just inside the frame (a motif covers less than half of it), the motif's dark
// side the 3rd percentile of the inside, so that a few stray pixels count for nothing.
int motifSpread(const QImage& face) {
    std::vector<int> ring, inside;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            const int edge = std::min({x, y, 49 - x, 49 - y});
            const bool corner = std::min(x, 49 - x) < 10 && std::min(y, 49 - y) < 10;
            if (edge == 3 && !corner) ring.push_back(qGray(face.pixel(x, y)));
            if (edge >= 4) inside.push_back(qGray(face.pixel(x, y)));
        }
    std::sort(ring.begin(), ring.end());
    std::sort(inside.begin(), inside.end());
    return ring[ring.size() / 2] - inside[inside.size() * 3 / 100];
}

TEST(ImageSet, GreyedFacesKeepTheirMotifLegible) {
    for (const ListItem& face : GreyedFaces) {
        const int spread = motifSpread(lists().get(face.list).item(face.item));
        EXPECT_GE(spread, 100) << face;
    }
    // A washed-out face as the greyed coffee cup once was: light greys on a light grey ground.
    QImage washed(50, 50, QImage::Format_RGB32);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool motif = std::hypot(x - 25, y - 27) < 13;
            washed.setPixel(
                x, y, motif ? qRgb(143, 143, 143) : qRgb(200 + y / 2, 200 + y / 2, 200 + y / 2));
        }
    EXPECT_LT(motifSpread(washed), 100);
}

TEST(ImageSet, NormalFacesAreColoured) {
    // A grey normal face would look disabled.
    for (const ListItem& face :
         std::vector<ListItem>{{"bmps", 4}, {"bmps", 11}, {"btns", 1}, {"opts", 1}}) {
        const QImage& img = lists().get(face.list).item(face.item);
        const QRgb c = img.pixel(25, 3);
        EXPECT_GT(std::abs(qRed(c) - qBlue(c)), 40) << face;
    }
}

TEST(ImageSet, CartoonStandsOnTransparentMagenta) {
    const QImage& img = lists().shared.dlgs.item(3);
    int magenta = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            magenta += img.pixel(x, y) == qRgb(255, 0, 255);
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_GT(magenta, img.width() * img.height() / 5);
    EXPECT_LT(magenta, img.width() * img.height() * 4 / 5);
}

// ---- digit strip ----

constexpr int Cell = 20, GlyphW = 19, GlyphH = 27;

TEST(DigitStrip, MaskIsBlackExactlyWhereTheGlyphHasColour) {
    const QImage& strip = lists().bmps.item(DigitStripItem);
    for (int g = 0; g < 12; ++g) {
        int shape = 0;
        for (int y = 0; y < GlyphH; ++y)
            for (int x = g * Cell; x < (g + 1) * Cell; ++x) {
                const QRgb glyph = strip.pixel(x, y), mask = strip.pixel(x, y + GlyphH);
                ASSERT_TRUE(mask == qRgb(0, 0, 0) || mask == qRgb(255, 255, 255)) << x << "," << y;
                ASSERT_EQ(mask == qRgb(0, 0, 0), glyph != qRgb(0, 0, 0)) << x << "," << y;
                if (x - g * Cell >= GlyphW) {
                    ASSERT_EQ(glyph, qRgb(0, 0, 0)) << "gap column of cell " << g;
                }
                // Yellow at full strength, darker only towards the soft edges.
                if (glyph != qRgb(0, 0, 0)) {
                    ASSERT_GE(qRed(glyph), qGreen(glyph));
                    ASSERT_GE(qGreen(glyph), qBlue(glyph));
                }
                shape += glyph != qRgb(0, 0, 0);
            }
        EXPECT_GT(shape, 20) << "cell " << g << " is empty";
    }
    // Full-strength glyph pixels have the yellow of the counters.
    bool full = false;
    for (int x = 0; x < strip.width() && !full; ++x)
        for (int y = 0; y < GlyphH && !full; ++y)
            full = strip.pixel(x, y) == qRgb(255, 217, 31);
    EXPECT_TRUE(full);
}

TEST(DigitStrip, AndMaskThenOrGlyphChangesNothingOutsideTheShape) {
    const QImage& strip = lists().bmps.item(DigitStripItem);
    QImage ground(strip.width(), GlyphH, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < ground.height(); ++y)
        for (int x = 0; x < ground.width(); ++x)
            ground.setPixel(x, y, 0xFF000000u | random.generate());
    QImage drawn = ground;
    {
        QPainter p(&drawn);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.drawImage(0, 0, strip, 0, GlyphH, strip.width(), GlyphH);
        p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        p.drawImage(0, 0, strip, 0, 0, strip.width(), GlyphH);
    }
    for (int y = 0; y < GlyphH; ++y)
        for (int x = 0; x < strip.width(); ++x) {
            if (strip.pixel(x, y + GlyphH) == qRgb(255, 255, 255))
                ASSERT_EQ(drawn.pixel(x, y), ground.pixel(x, y)) << x << "," << y;
            else
                ASSERT_EQ(drawn.pixel(x, y), strip.pixel(x, y)) << x << "," << y;
        }
}

// ---- tiling textures ----

// Mean channel difference between pixels a and b.
double diff(QRgb a, QRgb b) {
    return (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
            std::abs(qBlue(a) - qBlue(b))) /
           3.0;
}

// Mean step between two lines of a picture: column or row `a` against `b`.
double lineStep(const QImage& img, QRect tile, bool columns, int a, int b) {
    const int n = columns ? tile.height() : tile.width();
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += columns ? diff(img.pixel(tile.left() + a, tile.top() + i),
                              img.pixel(tile.left() + b, tile.top() + i))
                       : diff(img.pixel(tile.left() + i, tile.top() + a),
                              img.pixel(tile.left() + i, tile.top() + b));
    return sum / n;
}

// Where a tile meets its own copy, the step from its last line to its first is no larger than
// the steps between neighbouring lines inside the tile: a seam would stand out above all of them.
void expectSeamless(const QImage& img, QRect tile, const std::string& what) {
    for (const bool columns : {true, false}) {
        const int n = columns ? tile.width() : tile.height();
        double inner = 0;
        for (int i = 0; i + 1 < n; ++i)
            inner = std::max(inner, lineStep(img, tile, columns, i, i + 1));
        const double seam = lineStep(img, tile, columns, n - 1, 0);
        EXPECT_LE(seam, 1.1 * inner + 0.5) << what << (columns ? " across" : " down");
    }
}

TEST(Textures, SeamStatisticCatchesAHardEdge) {
    // A smooth ramp does not tile: its wrap jumps from dark to bright.
    QImage ramp(100, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ramp.setPixel(x, y, qRgb(x * 2, 100, 100));
    EXPECT_NONFATAL_FAILURE(expectSeamless(ramp, ramp.rect(), "ramp"), "across");
}

TEST(Textures, BackgroundTilesAndGraniteRepeatWithoutSeams) {
    const QImage& strip = lists().bmps.item(BackgroundStripItem);
    const QSize t = backgroundTileSize(strip);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 2; ++col)
            expectSeamless(strip, QRect(col * t.width(), row * t.height(), t.width(), t.height()),
                           "row " + std::to_string(row) + " tile " + std::to_string(col));
    for (int i : {1, 2}) {
        const QImage& granite = lists().shared.dlgs.item(i);
        expectSeamless(granite, granite.rect(), "granite " + std::to_string(i));
    }
}

// Granite reads as fine speckle when its grains are small: averaged over 20 x 20 blocks the
// texture is nearly even (a large cluster would make one block stand out and the repeat show),
// while pixel to pixel it varies plenty.
struct SpeckleCase {
    double pixelDeviation, blockDeviation, mean;
};
SpeckleCase speckle(const QImage& img) {
    constexpr int Block = 20;
    auto deviation = [](const std::vector<double>& v, double& mean) {
        mean = 0;
        for (double x : v)
            mean += x;
        mean /= double(v.size());
        double sum = 0;
        for (double x : v)
            sum += (x - mean) * (x - mean);
        return std::sqrt(sum / double(v.size()));
    };
    std::vector<double> pixels, blocks;
    for (int by = 0; by + Block <= img.height(); by += Block)
        for (int bx = 0; bx + Block <= img.width(); bx += Block) {
            double sum = 0;
            for (int y = by; y < by + Block; ++y)
                for (int x = bx; x < bx + Block; ++x) {
                    pixels.push_back(qGray(img.pixel(x, y)));
                    sum += pixels.back();
                }
            blocks.push_back(sum / (Block * Block));
        }
    SpeckleCase result{};
    double blockMean = 0;
    result.pixelDeviation = deviation(pixels, result.mean);
    result.blockDeviation = deviation(blocks, blockMean);
    return result;
}

TEST(Textures, GranitesAreFineSpeckleWithoutADominantFeature) {
    for (int i : {1, 2}) {
        const SpeckleCase s = speckle(lists().shared.dlgs.item(i));
        EXPECT_GT(s.pixelDeviation, 0.25 * s.mean) << "granite " << i << " is flat";
        EXPECT_LT(s.blockDeviation, 0.2 * s.pixelDeviation) << "granite " << i << " has clusters";
    }
    // One dark patch of 40 x 30 pixels on fine speckle is what makes a repeat stand out.
    QImage patched(160, 120, QImage::Format_RGB32);
    QRandomGenerator random(3);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) {
            const int grey = x >= 60 && x < 100 && y >= 40 && y < 70 ? 15 : 40 + random.bounded(60);
            patched.setPixel(x, y, qRgb(grey, grey, grey));
        }
    const SpeckleCase s = speckle(patched);
    EXPECT_GE(s.blockDeviation, 0.2 * s.pixelDeviation);
}

TEST(Textures, BackgroundRowsHaveTheirColoursAndTheDarkTileIsAThird) {
    const QColor bright[7] = {{75, 82, 238},  {180, 5, 116},  {87, 117, 47}, {101, 100, 95},
                              {148, 159, 99}, {63, 138, 148}, {93, 59, 16}};
    const QColor dark[7] = {{28, 31, 157}, {61, 6, 37},  {21, 25, 15}, {34, 34, 34},
                            {31, 39, 5},   {30, 49, 53}, {27, 10, 0}};
    const QImage& strip = lists().bmps.item(BackgroundStripItem);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 2; ++col) {
            double sum[3] = {0, 0, 0};
            for (int y = row * 100; y < row * 100 + 100; ++y)
                for (int x = col * 100; x < col * 100 + 100; ++x) {
                    const QRgb c = strip.pixel(x, y);
                    sum[0] += qRed(c), sum[1] += qGreen(c), sum[2] += qBlue(c);
                }
            const QColor want = col == 0 ? bright[row] : dark[row];
            EXPECT_NEAR(sum[0] / 1e4, want.red(), 3) << "row " << row << " tile " << col;
            EXPECT_NEAR(sum[1] / 1e4, want.green(), 3) << "row " << row << " tile " << col;
            EXPECT_NEAR(sum[2] / 1e4, want.blue(), 3) << "row " << row << " tile " << col;
        }
}

// ---- wave sounds ----

uint32_t u32(const QByteArray& b, int at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t u16(const QByteArray& b, int at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

TEST(SoundPlayerTest, FormatsAndDurationsAreExact) {
    const struct {
        int id, bits;
        double seconds;
    } rows[] = {{5, 8, 2.30}, {21, 16, 0.06}, {22, 8, 0.64}, {23, 8, 0.79}};
    for (const auto& row : rows) {
        SCOPED_TRACE("wave " + std::to_string(row.id));
        QFile f(QStringLiteral(":/waves/%1.wav").arg(row.id));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        ASSERT_GE(b.size(), 44);
        EXPECT_EQ(b.left(4), "RIFF");
        EXPECT_EQ(u32(b, 4), uint32_t(b.size() - 8));
        EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(u32(b, 16), 16u);
        EXPECT_EQ(u16(b, 20), 1); // PCM
        EXPECT_EQ(u16(b, 22), 1); // mono
        EXPECT_EQ(u32(b, 24), 22050u);
        EXPECT_EQ(u32(b, 28), 22050u * row.bits / 8);
        EXPECT_EQ(u16(b, 32), row.bits / 8);
        EXPECT_EQ(u16(b, 34), row.bits);
        EXPECT_EQ(b.mid(36, 4), "data");
        const uint32_t bytes = u32(b, 40);
        ASSERT_EQ(bytes, uint32_t(b.size() - 44));
        const uint32_t samples = bytes / (row.bits / 8);
        EXPECT_EQ(samples, uint32_t(std::lround(row.seconds * 22050)));
        // Audible, and silent at both ends so playback neither starts nor stops with a click.
        auto sample = [&](uint32_t i) {
            return row.bits == 8 ? (uint8_t(b[44 + i]) - 128) / 128.0
                                 : int16_t(u16(b, 44 + 2 * i)) / 32768.0;
        };
        double peak = 0;
        for (uint32_t i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(sample(i)));
        EXPECT_GT(peak, 0.4);
        EXPECT_LT(std::abs(sample(0)), 0.02);
        EXPECT_LT(std::abs(sample(samples - 1)), 0.02);
    }
}

// ---- music ----

// Length in seconds of a standard MIDI file, following its tempo changes.
double midiSeconds(const QByteArray& b) {
    if (b.left(4) != "MThd") return -1;
    auto u16 = [&](int at) { return uint8_t(b[at]) << 8 | uint8_t(b[at + 1]); };
    auto u32 = [&](int at) { return uint32_t(u16(at)) << 16 | uint32_t(u16(at + 2)); };
    const int tracks = u16(10), division = u16(12);
    std::map<uint64_t, uint32_t> tempo{{0, 500000}};
    uint64_t lastTick = 0;
    int at = 8 + int(u32(4));
    for (int t = 0; t < tracks; ++t) {
        if (b.mid(at, 4) != "MTrk") return -1;
        const int end = at + 8 + int(u32(at + 4));
        at += 8;
        uint64_t tick = 0;
        uint8_t status = 0;
        while (at < end) {
            uint32_t delta = 0;
            uint8_t c;
            do
                delta = delta << 7 | ((c = uint8_t(b[at++])) & 0x7F);
            while (c & 0x80);
            tick += delta;
            if (uint8_t(b[at]) & 0x80) status = uint8_t(b[at++]);
            if (status == 0xFF) {
                const uint8_t type = uint8_t(b[at++]);
                uint32_t len = 0;
                do
                    len = len << 7 | ((c = uint8_t(b[at++])) & 0x7F);
                while (c & 0x80);
                if (type == 0x51) tempo[tick] = uint32_t(uint8_t(b[at])) << 16 | u16(at + 1);
                at += int(len);
            } else if (status == 0xF0 || status == 0xF7) {
                uint32_t len = 0;
                do
                    len = len << 7 | ((c = uint8_t(b[at++])) & 0x7F);
                while (c & 0x80);
                at += int(len);
            } else {
                at += (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            }
        }
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    double seconds = 0;
    for (auto it = tempo.begin(); it != tempo.end() && it->first < lastTick; ++it) {
        const auto next = std::next(it);
        const uint64_t until = next == tempo.end() ? lastTick : std::min(next->first, lastTick);
        seconds += double(until - it->first) * it->second / 1e6 / division;
    }
    return seconds;
}

TEST(MusicPlayerTest, TunesLieBesideTheProgramAndLastOneToThreeMinutes) {
    const QDir dir(QStringLiteral(MORVEK_RUNTIME_DIR));
    const QStringList tunes = dir.entryList({QStringLiteral("*.mid")}, QDir::Files, QDir::Name);
    ASSERT_GE(tunes.size(), 2);
    for (const QString& name : tunes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const double seconds = midiSeconds(f.readAll());
        EXPECT_GE(seconds, 60) << name.toStdString();
        EXPECT_LE(seconds, 180) << name.toStdString();
    }
}

} // namespace
