// SPDX-License-Identifier: MIT
// What screen readers see of an image button.
#include "platform/widgets/ImageButtonAccessible.h"

#include "platform/Application.h"
#include "platform/widgets/ImageButton.h"

namespace {

QAccessibleInterface* imageButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ImageButton"))
        if (auto* button = qobject_cast<ImageButton*>(object))
            return new ImageButtonAccessible(button);
    return nullptr;
}

} // namespace

ImageButtonAccessible::ImageButtonAccessible(ImageButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

ImageButton* ImageButtonAccessible::button() const {
    return static_cast<ImageButton*>(widget());
}

QString ImageButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && button()->accessibleName().isEmpty()) return button()->hint();
    return QAccessibleWidget::text(t);
}

QStringList ImageButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ImageButtonAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    ImageButton* b = button();
    if (!b->isEnabled()) return;
    // A press and a release, as a left click brings them.
    Application::guarded([b] { emit b->pressed(Qt::LeftButton, b->width() / 2, b->height() / 2); });
    Application::guarded([b] { emit b->clicked(); });
}

void installImageButtonAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(imageButtonFactory);
        return true;
    }();
    (void)installed;
}
