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

    QFrame* panel3 = MakePanel(this, "Panel3", 16, 8, 273, 41);
    Edit2 = MakeEdit(panel3, "Edit2", 8, 8, 49);
    Edit3 = MakeEdit(panel3, "Edit3", 64, 8, 201);
    MakeLabel(this, "Label3", 104, 60, true);  // its text comes with the caption set
    Edit1 = MakeEdit(this, "Edit1", 16, 80, 273);

    Panel1 = MakePanel(this, "Panel1", 16, 112, 273, 89);
    Label1 = MakeLabel(Panel1, "Label1", 8, 4, true);
    Short = MakeCheck(Panel1, "Short", 8, 24);
    Minus = MakeCheck(Panel1, "Minus", 168, 24);
    Ope1 = MakeEdit(Panel1, "Ope1", 8, 48, 73);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(88, 50, 16, 16);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
    Image1->hide();
    Kuda = MakeLabel(Panel1, "Kuda", 106, 52, false);
    Kuda->setMinimumWidth(50);
    By1 = MakeCheck(Panel1, "By1", 168, 48);

    Panel2 = MakePanel(this, "Panel2", 16, 208, 273, 65);
    Label2 = MakeLabel(Panel2, "Label2", 8, 4, true);
    Ope2 = MakeEdit(Panel2, "Ope2", 8, 25, 73);
    By2 = MakeCheck(Panel2, "By2", 168, 32);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QString(), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(40, 280, 97, 33);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &DecodingDialog::BitBtn1Click);
    JmpBtn = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QString(), this);
    JmpBtn->setObjectName(QStringLiteral("JmpBtn"));
    JmpBtn->setGeometry(168, 280, 97, 33);
    JmpBtn->setEnabled(false);
    JmpBtn->setAutoDefault(false);
    connect(JmpBtn, &QPushButton::clicked, this, &DecodingDialog::JmpBtnClick);
}

void DecodingDialog::FormShow() {
    session_.StartDecoding();
    Show();
}

void DecodingDialog::BitBtn1Click() {
    session_.decoder.Next(session_.machine);
    Show();
}

void DecodingDialog::JmpBtnClick() {
    session_.decoder.Jump(session_.machine);
    Show();
}

void DecodingDialog::Show() {
    const DecodedInstruction& s = session_.decoder.Shown();
    Edit2->setText(ToQt(s.address));
    Edit3->setText(ToQt(s.words));
    Edit1->setText(ToQt(s.operation));
    Panel1->setVisible(s.operand1Shown);
    Label1->setText(ToQt(s.operand1Caption));
    Short->setText(ToQt(s.shortConstantCaption));
    Minus->setText(ToQt(s.negativeCaption));
    Short->setVisible(s.shortConstantShown);
    Minus->setVisible(s.shortConstantShown);
    Short->setChecked(s.shortConstant);
    Minus->setChecked(s.negative);
    Ope1->setText(ToQt(s.operand1));
    Image1->setVisible(s.targetShown);
    Kuda->setText(ToQt(s.targetMemory));
    By1->setText(ToQt(s.byte1Caption));
    By1->setVisible(s.byte1Shown);
    By1->setChecked(s.byte1);
    Panel2->setVisible(s.operand2Shown);
    Label2->setText(ToQt(s.operand2Caption));
    Ope2->setText(ToQt(s.operand2));
    By2->setText(ToQt(s.byte2Caption));
    By2->setVisible(s.byte2Shown);
    By2->setChecked(s.byte2);
    JmpBtn->setEnabled(s.canJump);
    BitBtn1->setEnabled(session_.decoder.HasNext());
    BitBtn1->setFocus();  // Enter goes on with the next instruction
}

void DecodingDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

}  // namespace q42
