// SPDX-License-Identifier: MIT
// What the four dialogs share: placement over the main window, fonts and the building blocks.
#include "dialogs/DialogKit.h"

#include "platform/widgets/ListImage.h"

#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"

#include <QKeyEvent>
#include <QLabel>

QPoint placeOverClient(const QRect& mainFrame, int mainClientHeight, const QSize& dialog) {
    return {mainFrame.left() + (mainFrame.width() - dialog.width()) / 2,
            mainFrame.top() + mainFrame.height() - (mainClientHeight + dialog.height()) / 2};
}

QPoint placeOverFrame(const QRect& mainFrame, const QSize& dialog) {
    return {mainFrame.left() + (mainFrame.width() - dialog.width()) / 2,
            mainFrame.top() + (mainFrame.height() - dialog.height()) / 2 - 2};
}

QFont arialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

BackPanel* makePanel(QWidget* parent, const BitmapList& list, int item, const QRect& place) {
    auto* panel = new BackPanel(parent);
    panel->setImageList(&list);
    panel->setListIndex(item);
    panel->setGeometry(place);
    return panel;
}

ImageButton* makeButton(QWidget* parent, const BitmapList& list, int x, int y, int normal,
                        int mouseOver, int pressed, int disabled, bool showHint) {
    auto* button = new ImageButton(parent);
    button->setButtonFaceImageList(&list);
    button->setFaceTable(ImageButton::faceTable(normal, mouseOver, pressed, disabled));
    button->setShowHint(showHint);
    // A click does not move the focus: Enter keeps answering what the keyboard last chose.
    button->setFocusPolicy(Qt::TabFocus);
    button->setGeometry(x, y, 50, 50);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QRect& place, const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setGeometry(place);
    return label;
}

bool answerDialogKey(QKeyEvent* event, ImageButton* tick, const std::function<void()>& cancel) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (tick && tick->isVisible()) tick->click();
        return true;
    case Qt::Key_Escape:
        if (cancel) cancel();
        return true;
    default:
        return false;
    }
}

Qt::WindowFlags dialogFlags() {
    return Qt::Dialog | Qt::FramelessWindowHint;
}

ListImage* makeLogo(QWidget* parent, const BitmapList& dlgs) {
    auto* logo = new ListImage(parent);
    logo->setImageList(&dlgs);
    logo->setListIndex(3);
    logo->setForceTransparent(true);
    logo->setGeometry(0, 12, 105, 77);
    return logo;
}
