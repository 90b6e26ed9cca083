#include "desktop/operation_tips.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolTip>

#include "assembler/mnemonic.h"
#include "machine/language.h"

namespace q42 {
namespace {

bool IsNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QString FromTable(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toHtmlEscaped();
}

}  // namespace

OperationTips::OperationTips(QPlainTextEdit* editor) : QObject(editor), editor_(editor) {
    editor->viewport()->installEventFilter(this);
}

QString OperationTips::TipAt(const QString& line, int column) {
    if (column < 0 || column >= line.size() || !IsNameCharacter(line.at(column))) return {};
    const int comment = line.indexOf(QLatin1Char(';'));
    if (comment >= 0 && comment < column) return {};
    int start = column;
    while (start > 0 && IsNameCharacter(line.at(start - 1)))
        --start;
    int end = column;
    while (end < line.size() && IsNameCharacter(line.at(end)))
        ++end;
    // The assembler upper-cases its lines before it looks operation names up; so does the tip.
    const Mnemonic* operation =
        LookupMnemonic(line.mid(start, end - start).toUpper().toStdString());
    if (operation == nullptr) return {};
    const bool english = EnglishTexts();
    return QStringLiteral("<b>%1</b><br>%2<br><i>%3</i>")
        .arg(FromTable(english ? operation->syntax.english : operation->syntax.russian),
             FromTable(english ? operation->does.english : operation->does.russian),
             FromTable(english ? operation->operands.english : operation->operands.russian));
}

bool OperationTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QTextCursor cursor = editor_->cursorForPosition(help->pos());
    // The character under the mouse, not the gap before it that the cursor stands at.
    const QRect before = editor_->cursorRect(cursor);
    const int column = cursor.positionInBlock() - (help->pos().x() < before.left() ? 1 : 0);
    const QString tip = TipAt(cursor.block().text(), column);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, editor_->viewport());
    }
    return true;
}

}  // namespace q42
