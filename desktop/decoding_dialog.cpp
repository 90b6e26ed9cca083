#include "desktop/decoding_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "desktop/accessible_names.h"

#include "desktop/captions.h"
#include "desktop/fixed_window.h"
#include "desktop/qt_text.h"
#include "session/session.h"

namespace q42 {
namespace {

QLineEdit* MakeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

QLabel* MakeLabel(QWidget* parent, const char* name, bool maroon) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    if (maroon) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
        label->setPalette(palette);
    }
    return label;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAttribute(Qt::WA_TransparentForMouseEvents);  // shows, never edits
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QFrame* MakePanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

}  // namespace

DecodingDialog::DecodingDialog(Session& session)
    : QDialog(nullptr, kDialogFlags), session_(session) {
    setObjectName(QStringLiteral("TComCod"));
    setWindowTitle(TitleOf(*this));
    setModal(true);
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);

    addressPanel_ = MakePanel(this, "Panel3");
    addressField = MakeField(addressPanel_, "Edit2");
    wordsField = MakeField(addressPanel_, "Edit3");
    operationCaption_ = MakeLabel(this, "Label3", true);
    operationCaption_->setText(CaptionOf(*this, "Label3"));
    operationField = MakeField(this, "Edit1");
    CreateOperandPanels();
    CreateButtons();
    PlaceComponents();
    NameControls(*this);
}

void DecodingDialog::CreateOperandPanels() {
    operand1Panel = MakePanel(this, "Panel1");
    operand1Caption = MakeLabel(operand1Panel, "Label1", true);
    shortConstantBox = MakeCheck(operand1Panel, "Short");
    negativeBox = MakeCheck(operand1Panel, "Minus");
    operand1Field = MakeField(operand1Panel, "Ope1");
    targetArrow = new QLabel(operand1Panel);
    targetArrow->setObjectName(QStringLiteral("Image1"));
    targetArrow->setPixmap(style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
    targetArrow->hide();
    targetMemoryLabel = MakeLabel(operand1Panel, "Kuda", false);
    byte1Box = MakeCheck(operand1Panel, "By1");

    operand2Panel = MakePanel(this, "Panel2");
    operand2Caption = MakeLabel(operand2Panel, "Label2", true);
    operand2Field = MakeField(operand2Panel, "Ope2");
    byte2Box = MakeCheck(operand2Panel, "By2");
}

void DecodingDialog::CreateButtons() {
    nextButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown),
                                 CaptionOf(*this, "BitBtn1"), this);
    nextButton->setObjectName(QStringLiteral("BitBtn1"));
    nextButton->setDefault(true);
    connect(nextButton, &QPushButton::clicked, this, &DecodingDialog::DecodeNext);
    jumpButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward),
                                 CaptionOf(*this, "JmpBtn"), this);
    jumpButton->setObjectName(QStringLiteral("JmpBtn"));
    jumpButton->setEnabled(false);
    jumpButton->setAutoDefault(false);
    connect(jumpButton, &QPushButton::clicked, this, &DecodingDialog::FollowJump);
}

// Where each component stands, in pixels of the dialog or its panel. A label or check box is as
// wide as its text, and at least as wide as given here.
void DecodingDialog::PlaceComponents() {
    setFixedSize(311, 318);
    const auto field = [](QLineEdit* field, int x, int y, int width) {
        field->setGeometry(x, y, width, 21);
    };
    const auto text = [](QWidget* text, int x, int y, int minWidth) {
        text->move(x, y);
        text->setMinimumWidth(minWidth);
    };
    addressPanel_->setGeometry(16, 8, 273, 41);
    field(addressField, 8, 8, 49);
    field(wordsField, 64, 8, 201);
    text(operationCaption_, 104, 60, 120);
    field(operationField, 16, 80, 273);
    operand1Panel->setGeometry(16, 112, 273, 89);
    text(operand1Caption, 8, 4, 120);
    text(shortConstantBox, 8, 24, 100);
    text(negativeBox, 168, 24, 100);
    field(operand1Field, 8, 48, 73);
    targetArrow->setGeometry(88, 50, 16, 16);
    text(targetMemoryLabel, 106, 52, 50);
    text(byte1Box, 168, 48, 100);
    operand2Panel->setGeometry(16, 208, 273, 65);
    text(operand2Caption, 8, 4, 120);
    field(operand2Field, 8, 25, 73);
    text(byte2Box, 168, 32, 100);
    nextButton->setGeometry(40, 280, 97, 33);
    jumpButton->setGeometry(168, 280, 97, 33);
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
