#include "desktop/intermediate_text_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPlainTextEdit>

#include "desktop/accessible_names.h"

#include "assembler/assembly.h"
#include "desktop/captions.h"
#include "desktop/qt_text.h"

namespace q42 {

IntermediateTextWindow::IntermediateTextWindow(IntermediateText& text, AsmOptions& options)
    : text_(text) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(TitleOf(*this));

    textEditor = new QPlainTextEdit(this);
    textEditor->setObjectName(QStringLiteral("compText"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(16);
    textEditor->setFont(font);
    textEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    textEditor->setPlainText(QStringLiteral("compText"));

    settings_ = new QGroupBox(QStringLiteral("  Compiler settings  "), this);
    settings_->setObjectName(QStringLiteral("GroupBox1"));
    shortConstantBox = new QCheckBox(QStringLiteral("Use short const"), settings_);
    shortConstantBox->setObjectName(QStringLiteral("ShConst"));
    shortConstantBox->setChecked(options.useShortConst);
    connect(shortConstantBox, &QCheckBox::toggled, this,
            [&options](bool checked) { options.useShortConst = checked; });
    PlaceComponents();
    NameControls(*this);
    LetCtrlTabLeaveEditors(*this);
}

// Where the window and its components stand, in pixels.
void IntermediateTextWindow::PlaceComponents() {
    setFixedSize(211, 478);
    move(805, 133);
    textEditor->setGeometry(8, 8, 193, 370);
    settings_->setGeometry(8, 392, 193, 81);
    shortConstantBox->setGeometry(16, 32, 150, 17);
}

void IntermediateTextWindow::GatherText() {
    text_.lines = LinesFromQt(textEditor->toPlainText());
}

void IntermediateTextWindow::ShowText() {
    textEditor->setPlainText(LinesToQt(text_.lines));
}

}  // namespace q42
