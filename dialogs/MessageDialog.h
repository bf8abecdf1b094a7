// SPDX-License-Identifier: MIT
// The game's one message box: a numbered message in the current language, Yes or Yes/No.
#pragma once

#include "dialogs/Messages.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>

class DialogImages;
struct GameOptions;
class BackPanel;
class ImageButton;
class TextLabel;

class MessageDialog : public QDialog {
    Q_OBJECT

  public:
    // mainWindow is where the dialog places itself (it may be null: then it stays where it is)
    // and becomes the dialog's parent.
    MessageDialog(QWidget* mainWindow, const GameOptions& options, const DialogImages& resources);

    // Shows message `number` modally; returns ResultYes (6), ResultNo (7), or 0 when the dialog
    // was closed any other way.
    int showMsg(int32_t number);
    int showMsg(Message message) { return showMsg(static_cast<int32_t>(message)); }

    // The answer that a typed character gives: ResultYes, ResultNo, or 0 for none.
    static int keyResult(QChar key);

    BackPanel* textPanel() const { return m_textPanel; }
    BackPanel* background() const { return m_background; }
    ImageButton* noButton() const { return m_noButton; }
    ImageButton* yesButton() const { return m_yesButton; }
    TextLabel* textLabel() const { return m_text; }
    int32_t messageNumber() const { return m_messageNumber; }
    int32_t buttonMode() const { return m_buttonMode; }
    // The text of messages 10 and 11.
    void setCustomText(const QString& text) { m_customText = text; }

    void prepareToShow();
    void onYesClicked();
    void onNoClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const GameOptions& m_options;
    BackPanel* m_textPanel;
    TextLabel* m_text;
    BackPanel* m_background;
    ImageButton* m_noButton;
    ImageButton* m_yesButton;
    int32_t m_messageNumber = 0;
    int32_t m_buttonMode = 1;
    QString m_customText; // the text of messages 10 and 11
    QPointer<QWidget> m_mainWindow;
};
