#include "desktop/decoding_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "desktop/fixed_window.h"
#include "desktop/qt_text.h"
#include "session/session.h"

namespace q42 {
namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setGeometry(x, y, width, 21);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, bool maroon) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->setMinimumWidth(120);
    if (maroon) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
        label->setPalette(palette);
    }
    return label;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, int x, int y) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->move(x, y);
    box->setMinimumWidth(100);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);  // shows, never edits
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QFrame* MakePanel(QWidget* parent, const char* name, int x, int y, int width, int height) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(x, y, width, height);
    return panel;
}

}  // namespace

DecodingDialog::DecodingDialog(Session& session)
    : QDialog(nullptr, kDialogFlags), session_(session) {
    setObjectName(QStringLiteral("TComCod"));
    setFixedSize(311, 318);
    setModal(true);
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);

    QFrame* addressPanel = MakePanel(this, "Panel3", 16, 8, 273, 41);
    addressField = MakeEdit(addressPanel, "Edit2", 8, 8, 49);
    wordsField = MakeEdit(addressPanel, "Edit3", 64, 8, 201);
    MakeLabel(this, "Label3", 104, 60, true);  // its text comes with the caption set
    operationField = MakeEdit(this, "Edit1", 16, 80, 273);

    operand1Panel = MakePanel(this, "Panel1", 16, 112, 273, 89);
    operand1Caption = MakeLabel(operand1Panel, "Label1", 8, 4, true);
    shortConstantBox = MakeCheck(operand1Panel, "Short", 8, 24);
    negativeBox = MakeCheck(operand1Panel, "Minus", 168, 24);
    operand1Field = MakeEdit(operand1Panel, "Ope1", 8, 48, 73);
    targetArrow = new QLabel(operand1Panel);
    targetArrow->setObjectName(QStringLiteral("Image1"));
    targetArrow->setGeometry(88, 50, 16, 16);
    targetArrow->setPixmap(style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
    targetArrow->hide();
    targetMemoryLabel = MakeLabel(operand1Panel, "Kuda", 106, 52, false);
    targetMemoryLabel->setMinimumWidth(50);
    byte1Box = MakeCheck(operand1Panel, "By1", 168, 48);

    operand2Panel = MakePanel(this, "Panel2", 16, 208, 273, 65);
    operand2Caption = MakeLabel(operand2Panel, "Label2", 8, 4, true);
    operand2Field = MakeEdit(operand2Panel, "Ope2", 8, 25, 73);
    byte2Box = MakeCheck(operand2Panel, "By2", 168, 32);

    nextButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QString(), this);
    nextButton->setObjectName(QStringLiteral("BitBtn1"));
    nextButton->setGeometry(40, 280, 97, 33);
    nextButton->setDefault(true);
    connect(nextButton, &QPushButton::clicked, this, &DecodingDialog::DecodeNext);
    jumpButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QString(), this);
    jumpButton->setObjectName(QStringLiteral("JmpBtn"));
    jumpButton->setGeometry(168, 280, 97, 33);
    jumpButton->setEnabled(false);
    jumpButton->setAutoDefault(false);
    connect(jumpButton, &QPushButton::clicked, this, &DecodingDialog::FollowJump);
}

void DecodingDialog::StartDecoding() {
    session_.StartDecoding();
    ShowDecoded();
}

void DecodingDialog::DecodeNext() {
    session_.decoder.Next(session_.machine);
    ShowDecoded();
}

void DecodingDialog::FollowJump() {
    session_.decoder.Jump(session_.machine);
    ShowDecoded();
}

void DecodingDialog::ShowDecoded() {
    const DecodedInstruction& shown = session_.decoder.Shown();
    addressField->setText(ToQt(shown.address));
    wordsField->setText(ToQt(shown.words));
    operationField->setText(ToQt(shown.operation));
    operand1Panel->setVisible(shown.operand1Shown);
    operand1Caption->setText(ToQt(shown.operand1Caption));
    shortConstantBox->setText(ToQt(shown.shortConstantCaption));
    negativeBox->setText(ToQt(shown.negativeCaption));
    shortConstantBox->setVisible(shown.shortConstantShown);
    negativeBox->setVisible(shown.shortConstantShown);
    shortConstantBox->setChecked(shown.shortConstant);
    negativeBox->setChecked(shown.negative);
    operand1Field->setText(ToQt(shown.operand1));
    targetArrow->setVisible(shown.targetShown);
    targetMemoryLabel->setText(ToQt(shown.targetMemory));
    byte1Box->setText(ToQt(shown.byte1Caption));
    byte1Box->setVisible(shown.byte1Shown);
    byte1Box->setChecked(shown.byte1);
    operand2Panel->setVisible(shown.operand2Shown);
    operand2Caption->setText(ToQt(shown.operand2Caption));
    operand2Field->setText(ToQt(shown.operand2));
    byte2Box->setText(ToQt(shown.byte2Caption));
    byte2Box->setVisible(shown.byte2Shown);
    byte2Box->setChecked(shown.byte2);
    jumpButton->setEnabled(shown.canJump);
    nextButton->setEnabled(session_.decoder.HasNext());
    nextButton->setFocus();  // Enter goes on with the next instruction
}

void DecodingDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

}  // namespace q42
