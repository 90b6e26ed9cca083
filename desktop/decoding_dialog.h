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

    QLineEdit* addressField = nullptr;    // the instruction's address
    QLineEdit* wordsField = nullptr;      // its word, after the operand words read
    QLineEdit* operationField = nullptr;  // what the operation does
    QFrame* operand1Panel = nullptr;
    QLabel* operand1Caption = nullptr;  // operand 1, the jump address or the port
    QCheckBox* shortConstantBox = nullptr;
    QCheckBox* negativeBox = nullptr;
    QLineEdit* operand1Field = nullptr;
    QLabel* targetArrow = nullptr;        // shown when the jump's target is known
    QLabel* targetMemoryLabel = nullptr;  // the memory the target is in
    QCheckBox* byte1Box = nullptr;        // operand 1's byte flag, or the branch's offset
    QFrame* operand2Panel = nullptr;
    QLabel* operand2Caption = nullptr;  // operand 2 or the port
    QLineEdit* operand2Field = nullptr;
    QCheckBox* byte2Box = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* jumpButton = nullptr;

    // Decodes at the address the opening command set.
    void StartDecoding();
    // The instruction after the one shown.
    void DecodeNext();
    // The instruction the shown jump goes to.
    void FollowJump();

  protected:
    // The dialog closes only by its close box: Escape does nothing.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Session& session_;
    QFrame* addressPanel_ = nullptr;
    QLabel* operationCaption_ = nullptr;

    void CreateOperandPanels();
    void CreateButtons();
    void PlaceComponents();
    void ShowDecoded();
};

}  // namespace q42
