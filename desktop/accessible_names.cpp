#include "desktop/accessible_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>
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

namespace {

// Gives the keyboard to the control after (or before) the focused one, as Tab does.
void MoveFocus(QWidget& window, bool forward) {
    QWidget* from = QApplication::focusWidget();
    if (from == nullptr || from->window() != &window) return;
    for (QWidget* widget = forward ? from->nextInFocusChain() : from->previousInFocusChain();
         widget != from;
         widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isEnabled() &&
            widget->isVisible() && widget->window() == &window) {
            widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}  // namespace

void LetCtrlTabLeaveEditors(QWidget& window) {
    for (const bool forward : {true, false}) {
        const QKeySequence keys = forward ? QKeySequence(Qt::CTRL | Qt::Key_Tab)
                                          : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
        QObject::connect(new QShortcut(keys, &window), &QShortcut::activated, &window,
                         [&window, forward] { MoveFocus(window, forward); });
    }
}

}  // namespace q42
