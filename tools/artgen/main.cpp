// SPDX-License-Identifier: MIT
// morvek_artgen: draws every picture, synthesizes the sounds and writes the music of the game.
#include "ArtGen.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

struct ListSpec {
    const char* name;
    std::vector<QImage> items;
};

bool saveList(const QString& root, const ListSpec& list) {
    QDir dir(root);
    if (!dir.mkpath(QString::fromLatin1(list.name))) return false;
    for (size_t n = 0; n < list.items.size(); ++n) {
        if (list.items[n].isNull()) continue; // not drawn at this scale
        const QString path = QStringLiteral("%1/%2/%3.png").arg(root).arg(list.name).arg(n);
        if (!list.items[n].save(path, "PNG")) return false;
    }
    return true;
}

// Every item of every list with its name and position, for checking the set at a glance.
QImage contactSheet(const std::vector<ListSpec>& lists) {
    constexpr int Cols = 10, CellW = 104, Label = 14, Pad = 6, Heading = 22;
    // Items wider than a cell take as many cells as they need; size each list's rows to fit.
    struct Place {
        int list, item, x, y;
    };
    std::vector<Place> places;
    std::vector<std::pair<QString, int>> headings;
    int y = Pad;
    for (size_t l = 0; l < lists.size(); ++l) {
        headings.emplace_back(QString::fromLatin1(lists[l].name), y);
        y += Heading;
        int col = 0, rowH = 0;
        for (size_t i = 0; i < lists[l].items.size(); ++i) {
            const QImage& img = lists[l].items[i];
            const int span = (img.width() + Pad + CellW - 1) / CellW;
            if (col + span > Cols) {
                y += rowH + Label + Pad;
                col = 0;
                rowH = 0;
            }
            places.push_back({int(l), int(i), Pad + col * CellW, y});
            rowH = std::max(rowH, img.height());
            col += span;
        }
        y += rowH + Label + 2 * Pad;
    }
    QImage sheet(Pad + Cols * CellW, y, QImage::Format_RGB32);
    sheet.fill(QColor(70, 74, 82));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(15);
    p.setPen(Qt::white);
    for (const auto& [name, hy] : headings) {
        p.setFont(bold);
        p.drawText(Pad, hy + 16, name);
    }
    p.setFont(font);
    for (const Place& pl : places) {
        const QImage& img = lists[pl.list].items[pl.item];
        p.drawImage(pl.x, pl.y, img);
        p.drawText(pl.x, pl.y + img.height() + 12,
                   QStringLiteral("%1 %2").arg(lists[pl.list].name).arg(pl.item));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvek_artgen <assets folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const std::vector<ListSpec> lists = {{"bmps", mainBitmaps()},
                                         {"dlgs", dialogBitmaps()},
                                         {"opts", optionBitmaps()},
                                         {"btns", buttonBitmaps()}};
    bool ok = true;
    for (const ListSpec& list : lists)
        ok = saveList(root, list) && ok;
    ok = contactSheet(lists).save(root + QStringLiteral("/contact-sheet.png"), "PNG") && ok;
    // The main window's pictures again with two pixels per point, for scaled screens.
    const std::vector<ListSpec> sharp = {{"bmps@2x", mainBitmaps(2)},
                                         {"btns@2x", buttonBitmaps(2)}};
    for (const ListSpec& list : sharp)
        ok = saveList(root, list) && ok;
    ok = writeWaves(root + QStringLiteral("/waves")) && ok;
    ok = writeMusic(root + QStringLiteral("/music")) && ok;
    ok = writeIcons(root + QStringLiteral("/icons")) && ok;
    if (!ok) {
        std::fprintf(stderr, "morvek_artgen: could not write everything under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
