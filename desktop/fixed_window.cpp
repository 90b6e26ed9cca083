#include "desktop/fixed_window.h"

#include <QCloseEvent>

namespace q42 {

FixedWindow::FixedWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    // Hints show on every window of the program, not only on the active one.
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

void FixedWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace q42
