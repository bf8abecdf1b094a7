// SPDX-License-Identifier: MIT
// What the four dialogs share: placement over the main window, fonts and the building blocks.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QKeyEvent;
class QLabel;
class QWidget;
class BitmapList;
class BackPanel;
class ListImage;
class ImageButton;

// Centred horizontally over the main window; the vertical centre lies on the centre of the main
// window's client area counted up from the window's lower edge. mainFrame is the outer rectangle.
// Halves truncate toward zero.
QPoint placeOverClient(const QRect& mainFrame, int mainClientHeight, const QSize& dialog);

// Centred over the main window's outer rectangle and two pixels higher (the best list).
QPoint placeOverFrame(const QRect& mainFrame, const QSize& dialog);

// "Arial" of the given pixel height; fontconfig maps the family to Liberation Sans.
QFont arialFont(int pixels, bool bold = false);

// A bevelled panel grounded with item `item` of `list`.
BackPanel* makePanel(QWidget* parent, const BitmapList& list, int item, const QRect& place);
// The cartoon picture at the top left of the options and language dialogs, magenta see-through.
ListImage* makeLogo(QWidget* parent, const BitmapList& dlgs);

// A 50 x 50 image button at (x, y) with its normal, mouse-over, pressed and disabled faces.
// It takes the keyboard focus by Tab (not by a click), shows it, and answers Space and Enter.
ImageButton* makeButton(QWidget* parent, const BitmapList& list, int x, int y, int normal,
                        int mouseOver, int pressed, int disabled, bool showHint);

// A transparent plain-text label in white (a player's name is never read as markup).
QLabel* makeLabel(QWidget* parent, const QRect& place, const QFont& font,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// The keys a dialog answers when they reach it, that is when no button has the focus: Enter
// does what `tick` does (when it is shown), Escape runs `cancel`. Returns whether the key was
// one of them.
bool answerDialogKey(QKeyEvent* event, ImageButton* tick, const std::function<void()>& cancel);

// Flags of every dialog: no frame or title bar of the window system.
Qt::WindowFlags dialogFlags();
