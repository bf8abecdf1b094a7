// SPDX-License-Identifier: MIT
// The tool bar along the top of the main window.
#include "app/ToolBar.h"

#include "dialogs/AccessibleTexts.h"
#include "dialogs/MainTexts.h"
#include "platform/BitmapList.h"
#include "platform/widgets/ImageButton.h"
#include "view/Counters.h"

#include <QLabel>

namespace {

constexpr int ButtonTop = 4;
const QColor CaptionColour(254, 201, 18);

ImageButton* makeButton(QWidget* parent, int left, const BitmapList* list, int normal,
                        int mouseOver, int disabled) {
    auto* btn = new ImageButton(parent);
    btn->setGeometry(left, ButtonTop, 50, 50);
    btn->setButtonFaceImageList(list);
    btn->setFaceTable(ImageButton::faceTable(normal, mouseOver, normal, disabled));
    return btn;
}

QLabel* makeCaption(QWidget* parent, int left) {
    auto* label = new QLabel(parent);
    // "MS Sans Serif" 8 pt is not on this platform; its sans serif stands in.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, CaptionColour);
    label->setPalette(pal);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->move(left, 8);
    return label;
}

// Every setAccessibleName tells the screen reader of a change; only real changes should be told.
void setAccessibleNameIfNew(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

} // namespace

ToolBar::ToolBar(const BitmapList& images, QWidget* parent)
    : PaintBox(parent), m_painter(images), m_startButton(makeButton(this, 4, &images, 4, 5, 6)),
      m_pauseButton(makeButton(this, 56, &images, 11, 12, 13)),
      m_bestListButton(makeButton(this, 108, &images, 7, 8, 9)),
      m_levelButton(makeButton(this, 160, &images, 14, 15, 16)),
      m_optionsButton(makeButton(this, 0, nullptr, 7, 8, 7)),
      m_infoButton(makeButton(this, 0, nullptr, 3, 4, 3)),
      m_rulesButton(makeButton(this, 0, nullptr, 5, 6, 5)),
      m_exitButton(makeButton(this, 0, nullptr, 1, 2, 1)), m_sizeLabel(makeCaption(this, 225)),
      m_scoreLabel(makeCaption(this, 365)) {
    m_scoreLabel->setText(QStringLiteral("Punkte:"));
    arrangeRightButtons();
    // Before any other listener: the buttons stand where they belong when the bar is painted.
    connect(this, &PaintBox::resized, this, [this] { arrangeRightButtons(); });

    connect(m_startButton, &ImageButton::clicked, this, &ToolBar::startClicked);
    connect(m_pauseButton, &ImageButton::clicked, this, &ToolBar::pauseClicked);
    connect(m_bestListButton, &ImageButton::clicked, this, &ToolBar::bestListClicked);
    connect(m_levelButton, &ImageButton::pressed, this,
            [this](Qt::MouseButton b, int, int) { emit levelPressed(b); });
    connect(m_optionsButton, &ImageButton::clicked, this, &ToolBar::optionsClicked);
    connect(m_infoButton, &ImageButton::clicked, this, &ToolBar::infoClicked);
    connect(m_rulesButton, &ImageButton::clicked, this, &ToolBar::rulesClicked);
    connect(m_exitButton, &ImageButton::clicked, this, &ToolBar::exitClicked);
}

void ToolBar::setRightButtonFaces(const BitmapList& buttonFaces) {
    for (ImageButton* btn : {m_optionsButton, m_infoButton, m_rulesButton, m_exitButton})
        btn->setButtonFaceImageList(&buttonFaces);
}

void ToolBar::arrangeRightButtons() {
    m_exitButton->move(rightButtonLeft(width(), 0), ButtonTop);
    m_rulesButton->move(rightButtonLeft(width(), 1), ButtonTop);
    m_infoButton->move(rightButtonLeft(width(), 2), ButtonTop);
    m_optionsButton->move(rightButtonLeft(width(), 3), ButtonTop);
}

void ToolBar::setTexts(bool german) {
    m_german = german;
    const MainWindowTexts t = mainTexts(german);
    m_startButton->setHint(t.startHint);
    m_bestListButton->setHint(t.highScoreHint);
    m_pauseButton->setHint(t.pauseHint);
    m_levelButton->setHint(t.levelHint);
    m_rulesButton->setHint(t.rulesHint);
    m_optionsButton->setHint(t.optionHint);
    m_exitButton->setHint(t.exitHint);
    m_infoButton->setHint(t.infoHint);
    m_scoreLabel->setText(t.scoreCaption);
    m_scoreLabel->adjustSize();
    m_sizeLabel->setText(t.sizeCaption);
    m_sizeLabel->adjustSize();

    const AccessibleTexts a = accessibleTexts(german);
    const struct {
        ImageButton* button;
        const QString& name;
        const QString& description;
    } buttons[] = {
        {m_startButton, a.startName, t.startHint},
        {m_pauseButton, a.pauseName, t.pauseHint},
        {m_bestListButton, a.highScoreName, t.highScoreHint},
        {m_levelButton, a.levelName, t.levelHint},
        {m_optionsButton, a.optionName, t.optionHint},
        {m_infoButton, a.infoName, t.infoHint},
        {m_rulesButton, a.rulesName, t.rulesHint},
        {m_exitButton, a.exitName, t.exitHint},
    };
    for (const auto& b : buttons) {
        b.button->setAccessibleName(b.name);
        b.button->setAccessibleDescription(b.description);
    }
    m_scoreLabel->setAccessibleDescription(a.timeDescription);
    m_sizeLabel->setAccessibleDescription(a.sizeDescription);
    nameCounters();
}

void ToolBar::paintAll() {
    painterAtScale().paintToolBar(surface());
    flush();
}

void ToolBar::drawTime(int32_t playTime) {
    m_playTime = playTime;
    flush(painterAtScale().drawTime(surface(), playTime));
    nameCounters();
}

void ToolBar::drawSize(int32_t colCount, int32_t rowCount) {
    m_colCount = colCount;
    m_rowCount = rowCount;
    flush(painterAtScale().drawSize(surface(), colCount, rowCount));
    nameCounters();
}

void ToolBar::nameCounters() {
    setAccessibleNameIfNew(m_scoreLabel, timeText(m_german, m_playTime));
    setAccessibleNameIfNew(m_sizeLabel, sizeText(m_german, m_colCount, m_rowCount));
}
