#include "tests/gui/scripted_dialogs.h"

namespace q42::test {

void ScriptedDialogs::ShowModal(QDialog& dialog) {
    dialog.show();
    if (onModal) onModal(dialog);
    dialog.hide();
}

}  // namespace q42::test
