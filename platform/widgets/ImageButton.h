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
    Latched = 3,
    Pressed = 4,
    Unused5 = 5,
    DropDown = 6,
    LatchedDisabled = 7,
    Unused8 = 8,
};

// Item index per state; an entry that names no valid item falls back (see FaceItem).
using ButtonFaceTable = std::array<int, 9>;

class ImageButton : public QWidget {
    Q_OBJECT

  public:
    explicit ImageButton(QWidget* parent = nullptr);

    // The list may be null or replaced later; the button repaints with the new faces.
    void SetButtonFaceImageList(const BitmapList* list);
    const BitmapList* ButtonFaceImageList() const { return FaceList; }

    void SetButtonFaceIndicesNew2(const ButtonFaceTable& table);
    const ButtonFaceTable& ButtonFaceIndicesNew2() const { return Faces; }
    // The table of the game's buttons: the four faces it uses, every other entry unset (-1).
    static ButtonFaceTable FaceTable(int normal, int mouseOver, int pressed, int disabled);

    int State() const { return CurrentState; }
    // The list item drawn in a state after the fallbacks, or -1 when nothing is drawn.
    int FaceItem(int state) const;

    // Hint text, shown (as the widget's tool tip) only while ShowHint is on.
    void SetHint(const QString& hint);
    QString Hint() const { return HintText; }
    void SetShowHint(bool show);
    bool ShowHint() const { return HintShown; }

    // Emits clicked() as a click of the mouse would; also what Space and Enter do while the button
    // has the keyboard focus. A disabled button does nothing.
    void Click();

    // Where the mouse-over poll reads the cursor, in global coordinates (QCursor::pos by default).
    void SetCursorPosSource(std::function<QPoint()> source);
    bool PollActive() const;

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
    void SetState(int state);
    void PollCursor();
    bool CursorInside() const;
    void ApplyHint();
    void DrawFocusFrame(QPainter& painter) const;

    const BitmapList* FaceList = nullptr;
    ButtonFaceTable Faces;
    int CurrentState = ButtonState::Normal;
    bool LeftHeld = false;
    QString HintText;
    bool HintShown = true;
    QTimer* Poll;
    std::function<QPoint()> CursorPos;
};
