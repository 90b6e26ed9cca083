#pragma once
// A window of the machine that only the program shows and hides: a title bar and no buttons to
// close, minimise or maximise it. A close request that a window manager sends anyway is refused;
// the View menu is the way to hide these windows.

#include <QWidget>

namespace q42 {

class FixedWindow : public QWidget {
  public:
    FixedWindow();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// The window hints for the program's other windows.
inline constexpr Qt::WindowFlags kMainWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
inline constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

}  // namespace q42
