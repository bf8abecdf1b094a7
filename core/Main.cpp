// The main window: tool bar, board and the game's flow.
#include "Main.h"

Tmainform::Tmainform(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Morvek V1.0"));
    resize(702, 462);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
}
