#include "desktop/accessible_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QSizeGrip>
#include <QWidget>

#include "desktop/captions.h"

namespace q42 {

bool IsControl(const QWidget& widget) {
    if ((widget.focusPolicy() & Qt::TabFocus) != 0) return true;
    return qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(&widget) != nullptr ||
           qobject_cast<const QComboBox*>(&widget) != nullptr ||
           qobject_cast<const QLineEdit*>(&widget) != nullptr ||
           qobject_cast<const QMenuBar*>(&widget) != nullptr ||
           qobject_cast<const QSizeGrip*>(&widget) != nullptr;
}

void NameControls(QWidget& window) {
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QByteArray object = widget->objectName().toLatin1();
        if (object.isEmpty()) continue;
        QString name = CaptionOf(window, object.constData(), CaptionTarget::Name);
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (name.isEmpty() && button != nullptr && button->text().isEmpty())
            name = HintOf(window, object.constData());
        if (!name.isEmpty()) widget->setAccessibleName(name);
        const QString description =
            CaptionOf(window, object.constData(), CaptionTarget::Description);
        if (!description.isEmpty()) widget->setAccessibleDescription(description);
    }
}

}  // namespace q42
