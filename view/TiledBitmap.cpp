// A repeated tile read as a whole picture.
#include "TiledBitmap.h"

#include "Canvas.h"
#include "TilesDrawings.h"

#include <algorithm>
#include <cstring>

namespace {

// Below this size the frame's lines of opposite edges meet; such a picture is drawn out whole
// (it is small then) rather than computed.
constexpr int SmallestComputedFrame = 16;

constexpr int FrameDepth = 7; // the frame lies within 7 pixels of each edge

// Black at 0, 2, 3, 4 and 6 pixels from the nearest edge; the background shows at 1 and 5.
bool FrameAt(int64_t edgeDistance) {
    return edgeDistance == 0 || (edgeDistance >= 2 && edgeDistance <= 4) || edgeDistance == 6;
}

} // namespace

TiledBitmap::TiledBitmap(QSize size, QImage tile, bool framed)
    : Size(size.expandedTo(QSize(0, 0))), Tile(std::move(tile)), Framed(framed) {
    if (!Tile.isNull() && Tile.format() != QImage::Format_RGB32)
        Tile = Tile.convertToFormat(QImage::Format_RGB32);
    if (Framed && !Size.isEmpty() &&
        (Size.width() < SmallestComputedFrame || Size.height() < SmallestComputedFrame)) {
        Tile = drawFull(Size, Tile, true);
        Framed = false;
    }
}

QImage TiledBitmap::drawFull(QSize size, const QImage& tile, bool framed) {
    const int32_t W = std::max(size.width(), 0), H = std::max(size.height(), 0);
    QImage image(W, H, QImage::Format_RGB32);
    if (W == 0 || H == 0 || tile.isNull()) return image;
    const int32_t TW = tile.width(), TH = tile.height();
    for (int32_t i = 0; i <= W / TW + 1; ++i)
        for (int32_t j = 0; j <= H / TH + 1; ++j)
            BlockCopy(image, i * TW, j * TH, TW, TH, tile, 0, 0);
    if (!framed) return image;
    Canvas canvas(image);
    SetBrush(canvas, 0x000000, BrushStyle::Clear);
    SetPen(canvas, 0x000000, PenStyle::Solid, 1);
    canvas.Rectangle(0, 0, W, H);
    canvas.Rectangle(6, 6, W - 6, H - 6);
    SetPen(canvas, 0x000000, PenStyle::Solid, 3);
    canvas.Rectangle(3, 3, W - 3, H - 3);
    return image;
}

void TiledBitmap::copyTo(QImage& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t sx,
                         int32_t sy) const {
    if (w <= 0 || h <= 0 || dst.isNull() || Size.isEmpty() || Tile.isNull()) return;
    // The clipping of BlockCopy, with the picture's size as the source.
    int64_t DX = dx, DY = dy, SX = sx, SY = sy, W = w, H = h;
    if (SX < 0) DX -= SX, W += SX, SX = 0;
    if (SY < 0) DY -= SY, H += SY, SY = 0;
    if (DX < 0) SX -= DX, W += DX, DX = 0;
    if (DY < 0) SY -= DY, H += DY, DY = 0;
    W = std::min({W, int64_t(Size.width()) - SX, int64_t(dst.width()) - DX});
    H = std::min({H, int64_t(Size.height()) - SY, int64_t(dst.height()) - DY});
    if (W <= 0 || H <= 0) return;

    const int64_t TW = Tile.width(), TH = Tile.height();
    const int64_t right = int64_t(Size.width()) - 1, bottom = int64_t(Size.height()) - 1;
    uchar* dstBits = dst.bits();
    const qsizetype stride = dst.bytesPerLine();
    for (int64_t line = 0; line < H; ++line) {
        const int64_t y = SY + line;
        auto* out = reinterpret_cast<uint32_t*>(dstBits + (DY + line) * stride) + DX;
        const auto* tileLine = reinterpret_cast<const uint32_t*>(Tile.constScanLine(int(y % TH)));
        // Whole runs of the tile line, the first one starting inside it.
        for (int64_t x = SX, done = 0; done < W;) {
            const int64_t from = x % TW, run = std::min(TW - from, W - done);
            std::memcpy(out + done, tileLine + from, size_t(run) * 4);
            done += run;
            x += run;
        }
        if (!Framed) continue;
        const int64_t yEdge = std::min(y, bottom - y);
        // Near the top or bottom edge the frame crosses the whole line; elsewhere only the
        // first and last pixels of the line can be frame.
        const int64_t leftEnd = yEdge < FrameDepth ? SX + W : std::min(SX + W, int64_t(FrameDepth));
        const int64_t rightStart =
            yEdge < FrameDepth ? SX + W : std::max({SX, right - FrameDepth + 1, leftEnd});
        for (int64_t x = SX; x < leftEnd; ++x)
            if (FrameAt(std::min({x, right - x, yEdge}))) out[x - SX] = 0xFF000000u;
        for (int64_t x = rightStart; x < SX + W; ++x)
            if (FrameAt(std::min({x, right - x, yEdge}))) out[x - SX] = 0xFF000000u;
    }
}

QImage TiledBitmap::toImage() const {
    QImage image(Size, QImage::Format_RGB32);
    copyTo(image, 0, 0, Size.width(), Size.height(), 0, 0);
    return image;
}
