// SPDX-License-Identifier: MIT
// Image button whose faces come from a bitmap list, one face per button state.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

class QPainter;
class QTimer;
class BitmapList;

// Button states, the index into the face table.
enum ButtonState {
    Normal = 0,
    Disabled = 1,
    MouseOver = 2,
    Pressed = 3,
};

// Item index per state; an entry that names no valid item falls back (see faceItem).
using ButtonFaceTable = std::array<int, 4>;

class ImageButton : public QWidget {
    Q_OBJECT

  public:
    explicit ImageButton(QWidget* parent = nullptr);

    // The list may be null or replaced later; the button repaints with the new faces.
    void setButtonFaceImageList(const BitmapList* list);
    const BitmapList* buttonFaceImageList() const { return m_faceList; }

    void setFaceTable(const ButtonFaceTable& table);
    const ButtonFaceTable& currentFaceTable() const { return m_faces; }
    // The table of a button's four faces.
    static ButtonFaceTable faceTable(int normal, int mouseOver, int pressed, int disabled);

    int state() const { return m_currentState; }
    // The list item drawn in a state after the fallbacks, or -1 when nothing is drawn.
    int faceItem(int state) const;

    // Hint text, shown (as the widget's tool tip) only while showHint is on.
    void setHint(const QString& hint);
    QString hint() const { return m_hintText; }
    void setShowHint(bool show);
    bool showHint() const { return m_hintShown; }

    // Emits clicked() as a click of the mouse would; also what Space and Enter do while the button
    // has the keyboard focus. A disabled button does nothing.
    void click();

    // Where the mouse-over poll reads the cursor, in global coordinates (QCursor::pos by default).
    void setCursorPosSource(std::function<QPoint()> source);
    bool pollActive() const;

  signals:
    // After the button has shown its mouse-over face again. Errors of the settings store that a
    // receiver throws end that receiver with a report; the button works on.
    void clicked();
    // On the press of any mouse button, with the position in the button.
    void pressed(Qt::MouseButton button, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // The new face shows at once, or with the next paint when `now` is false.
    void setState(int state, bool now = true);
    void pollCursor();
    bool cursorInside() const;
    void applyHint();
    void drawFocusFrame(QPainter& painter) const;

    const BitmapList* m_faceList = nullptr;
    ButtonFaceTable m_faces;
    int m_currentState = ButtonState::Normal;
    bool m_leftHeld = false;
    QString m_hintText;
    bool m_hintShown = true;
    QTimer* m_poll;
    std::function<QPoint()> m_cursorPos;
};
