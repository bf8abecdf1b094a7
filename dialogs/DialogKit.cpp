// What the four dialogs share: placement over the main window, fonts and the building blocks.
#include "DialogKit.h"

#include "LMDLImage.h"

#include "LMDBackPanel.h"
#include "LMDMMButton.h"

#include <QLabel>

QPoint PlaceOverClient(const QRect& mainFrame, int mainClientHeight, const QSize& dialog) {
    return {mainFrame.left() + (mainFrame.width() - dialog.width()) / 2,
            mainFrame.top() + mainFrame.height() - (mainClientHeight + dialog.height()) / 2};
}

QPoint PlaceOverFrame(const QRect& mainFrame, const QSize& dialog) {
    return {mainFrame.left() + (mainFrame.width() - dialog.width()) / 2,
            mainFrame.top() + (mainFrame.height() - dialog.height()) / 2 - 2};
}

QFont ArialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

TLMDBackPanel* MakePanel(QWidget* parent, const TBitmapList& list, int item, const QRect& place) {
    auto* panel = new TLMDBackPanel(parent);
    panel->SetImageList(&list);
    panel->SetListIndex(item);
    panel->setGeometry(place);
    return panel;
}

TLMDMMButton* MakeButton(QWidget* parent, const TBitmapList& list, int x, int y, int normal,
                         int mouseOver, int pressed, int disabled, bool showHint) {
    auto* button = new TLMDMMButton(parent);
    button->SetButtonFaceImageList(&list);
    button->SetButtonFaceIndicesNew2(TLMDMMButton::FaceTable(normal, mouseOver, pressed, disabled));
    button->SetShowHint(showHint);
    button->setGeometry(x, y, 50, 50);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QRect& place, const QFont& font, Qt::Alignment alignment) {
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

Qt::WindowFlags DialogFlags() {
    return Qt::Dialog | Qt::FramelessWindowHint;
}

TLMDLImage* MakeLogo(QWidget* parent, const TBitmapList& dlgs) {
    auto* logo = new TLMDLImage(parent);
    logo->SetImageList(&dlgs);
    logo->SetListIndex(3);
    logo->SetForceTransparent(true);
    logo->setGeometry(0, 12, 105, 77);
    return logo;
}
