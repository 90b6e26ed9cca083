#include "desktop/user_dialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace q42 {

void QtDialogs::Warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Q42"), text, QMessageBox::Ok);
}

bool QtDialogs::Confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Q42"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

void QtDialogs::About(QWidget* parent, const QString& text) {
    QMessageBox::about(parent, QStringLiteral("Q42"), text);
}

SaveChoice QtDialogs::AskSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Q42"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save: return SaveChoice::Save;
        case QMessageBox::Discard: return SaveChoice::Discard;
        default: return SaveChoice::Cancel;
    }
}

QString QtDialogs::OpenFileName(QWidget* parent, const QString& filter) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // a missing file is reported when it is read
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtDialogs::SaveFileName(QWidget* parent, const QString& filter,
                                const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void QtDialogs::ShowModal(QDialog& dialog) {
    dialog.exec();
}

}  // namespace q42
