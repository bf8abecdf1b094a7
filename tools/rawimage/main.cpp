// SPDX-License-Identifier: MIT
// Converts a picture the artwork generator drew (PNG) into the raw form the game maps in place.
//   morvek_rawimage <in.png> <out.raw>
#include "platform/BitmapList.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: morvek_rawimage <in.png> <out.raw>\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    const QByteArray raw = encodeRawImage(image);
    if (raw.isEmpty()) {
        std::fprintf(stderr, "morvek_rawimage: cannot read %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(raw) != raw.size() || !out.flush()) {
        std::fprintf(stderr, "morvek_rawimage: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
