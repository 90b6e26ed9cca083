#include "desktop/intermediate_text_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPlainTextEdit>

#include "assembler/assembly.h"
#include "desktop/qt_text.h"

namespace q42 {

IntermediateTextWindow::IntermediateTextWindow(IntermediateText& text, AsmOptions& options)
    : text_(text) {
    setObjectName(QStringLiteral("TForm2"));
    setFixedSize(211, 478);
    move(805, 133);

    compText = new QPlainTextEdit(this);
    compText->setObjectName(QStringLiteral("compText"));
    compText->setGeometry(8, 8, 193, 370);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(16);
    compText->setFont(font);
    compText->setLineWrapMode(QPlainTextEdit::NoWrap);
    compText->setPlainText(QStringLiteral("compText"));

    auto* group = new QGroupBox(QStringLiteral("  Compiler settings  "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 392, 193, 81);
    ShConst = new QCheckBox(QStringLiteral("Use short const"), group);
    ShConst->setObjectName(QStringLiteral("ShConst"));
    ShConst->setGeometry(16, 32, 150, 17);
    ShConst->setChecked(options.useShortConst);
    connect(ShConst, &QCheckBox::toggled, this,
            [&options](bool checked) { options.useShortConst = checked; });
}

void IntermediateTextWindow::GatherText() {
    text_.lines = LinesFromQt(compText->toPlainText());
}

void IntermediateTextWindow::ShowText() {
    compText->setPlainText(LinesToQt(text_.lines));
}

}  // namespace q42
