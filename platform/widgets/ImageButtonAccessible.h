// SPDX-License-Identifier: MIT
// What screen readers see of an image button: a button with a name that can be pressed.
#pragma once

#include <QAccessibleWidget>

class ImageButton;

class ImageButtonAccessible : public QAccessibleWidget {
  public:
    explicit ImageButtonAccessible(ImageButton* button);

    // The accessible name, or the hint where the button has none.
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    // "Press" does what a click does, and nothing while the button is disabled.
    void doAction(const QString& actionName) override;

  private:
    ImageButton* button() const;
};

// Lets Qt give every image button the interface above; the first call is the one that counts.
void installImageButtonAccessible();
