#include "desktop/intermediate_text_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPlainTextEdit>

#include "assembler/asm_texts.h"
#include "desktop/qt_text.h"

namespace q42 {

IntermediateTextWindow::IntermediateTextWindow(AssemblerTexts& texts, AsmOptions& options)
    : texts_(texts) {
    setObjectName(QStringLiteral("TForm2"));
    setFixedSize(211, 478);
    move(805, 133);

    textEditor = new QPlainTextEdit(this);
    textEditor->setObjectName(QStringLiteral("compText"));
    textEditor->setGeometry(8, 8, 193, 370);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(16);
    textEditor->setFont(font);
    textEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    textEditor->setPlainText(QStringLiteral("compText"));

    auto* settings = new QGroupBox(QStringLiteral("  Compiler settings  "), this);
    settings->setObjectName(QStringLiteral("GroupBox1"));
    settings->setGeometry(8, 392, 193, 81);
    shortConstantBox = new QCheckBox(QStringLiteral("Use short const"), settings);
    shortConstantBox->setObjectName(QStringLiteral("ShConst"));
    shortConstantBox->setGeometry(16, 32, 150, 17);
    shortConstantBox->setChecked(options.useShortConst);
    connect(shortConstantBox, &QCheckBox::toggled, this,
            [&options](bool checked) { options.useShortConst = checked; });
}

void IntermediateTextWindow::GatherText() {
    texts_.compText = LinesFromQt(textEditor->toPlainText());
}

void IntermediateTextWindow::ShowText() {
    textEditor->setPlainText(LinesToQt(texts_.compText));
}

}  // namespace q42
