#pragma once
// The instruction decoding dialog: shows what the core's decoder made of an instruction word.

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace q42 {

class Session;

class DecodingDialog : public QDialog {
    Q_OBJECT
  public:
    explicit DecodingDialog(Session& session);

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* Short = nullptr;
    QCheckBox* Minus = nullptr;
    QLineEdit* Ope1 = nullptr;
    QLineEdit* Ope2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Kuda = nullptr;
    QCheckBox* By1 = nullptr;
    QCheckBox* By2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* JmpBtn = nullptr;

    // Decodes at the address the opening command set.
    void FormShow();
    void BitBtn1Click();
    void JmpBtnClick();

  protected:
    // The dialog closes only by its close box: Escape does nothing.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Session& session_;

    void Show();
};

}  // namespace q42
