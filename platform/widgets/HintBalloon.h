// SPDX-License-Identifier: MIT
// Application-wide balloon hints: while one exists and is enabled, every tool tip shows as a
// balloon.
#pragma once

#include "platform/widgets/HintBalloonWindow.h"

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
    void setEnabled(bool enabled);
    bool enabled() const { return m_isEnabled; }
    void setPosition(HintPosition position) { m_preferred = position; }
    HintPosition position() const { return m_preferred; }
    // How long a balloon stays up when nothing else hides it.
    void setHideTimeout(int ms);

    // Shows text in the balloon with the nose at spot (global) for the widget hinted, which
    // hides it again when the cursor leaves it.
    void showHint(const QPoint& spot, const QString& text, QWidget* hinted = nullptr);
    void hideHint();
    bool hintVisible() const;
    const HintBalloonWindow* hintWindow() const { return m_window.get(); }

    static HintBalloon* instance();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool active() const;
    // Hides the balloon once the pointer is off the hinted widget, however it got there.
    void checkPointer();

    bool m_isEnabled = true;
    HintPosition m_preferred = HintPosition::AboveRight;
    std::unique_ptr<HintBalloonWindow> m_window;
    QPointer<QWidget> m_hinted;
    QTimer* m_hideTimer;
    QTimer* m_pointerPoll;
};
