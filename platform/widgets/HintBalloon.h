// Application-wide balloon hints: while one exists and is enabled, every tool tip shows as a
// balloon.
#pragma once

#include "HintBalloonWindow.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QTimer;

class HintBalloon : public QObject {
    Q_OBJECT

  public:
    // Only the first one created takes effect; a second one stays inert while the first lives.
    explicit HintBalloon(QObject* parent = nullptr);
    ~HintBalloon() override;

    // Off restores the platform's own tool tips.
    void SetEnabled(bool enabled);
    bool Enabled() const { return IsEnabled; }
    void SetPosition(HintPosition position) { Preferred = position; }
    HintPosition Position() const { return Preferred; }
    // How long a balloon stays up when nothing else hides it.
    void SetHideTimeout(int ms);

    // Shows text in the balloon with the nose at spot (global) for the widget hinted, which
    // hides it again when the cursor leaves it.
    void ShowHint(const QPoint& spot, const QString& text, QWidget* hinted = nullptr);
    void HideHint();
    bool HintVisible() const;
    const HintBalloonWindow* HintWindow() const { return Window.get(); }

    static HintBalloon* Instance();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Active() const;
    // Hides the balloon once the pointer is off the hinted widget, however it got there.
    void CheckPointer();

    bool IsEnabled = true;
    HintPosition Preferred = HintPosition::AboveRight;
    std::unique_ptr<HintBalloonWindow> Window;
    QPointer<QWidget> Hinted;
    QTimer* HideTimer;
    QTimer* PointerPoll;
};
