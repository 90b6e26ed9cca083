#include "desktop/asm_highlighter.h"

#include <QColor>

#include "assembler/mnemonic.h"

namespace q42 {
namespace {

using Kind = AsmHighlighter::Kind;

bool IsNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'.';
}

// The word's kind when it stands as an operand or an operation.
Kind WordKind(const QString& word, bool first) {
    const QString upper = word.toUpper();
    if (first && LookupMnemonic(upper.toStdString()) != nullptr) return Kind::Operation;
    const bool port =
        upper.size() > 1 && upper.front() == u'P' && (upper[1].isDigit() || upper[1] == u'.');
    if (port || LookupOperandName(upper.toStdString())) return Kind::Register;
    if (word.front().isDigit() || word.front() == u'-') return Kind::Number;
    return Kind::Plain;
}

void Mark(std::vector<Kind>& kinds, qsizetype from, qsizetype to, Kind kind) {
    for (qsizetype i = from; i < to && i < static_cast<qsizetype>(kinds.size()); ++i)
        kinds[static_cast<std::size_t>(i)] = kind;
}

QTextCharFormat Colour(const char* name, bool bold = false, bool italic = false) {
    QTextCharFormat format;
    format.setForeground(QColor(QString::fromLatin1(name)));
    if (bold) format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

}  // namespace

AsmHighlighter::AsmHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

std::vector<Kind> AsmHighlighter::Classify(const QString& line) {
    std::vector<Kind> kinds(static_cast<std::size_t>(line.size()), Kind::Plain);
    const qsizetype comment = line.indexOf(u';');
    const qsizetype end = comment < 0 ? line.size() : comment;
    Mark(kinds, end, line.size(), Kind::Comment);
    bool first = true;  // the first word after a label is the operation
    bool tab = false;   // a tab stands before it since the label: the assembler reads it as part
                        // of the operation's name, which it then does not know
    for (qsizetype i = 0; i < end;) {
        if (line[i] == u'#' && i + 2 < end && line[i + 1] == u'\'') {
            Mark(kinds, i, std::min(i + 4, end), Kind::String);  // a character #'c'
            i += 4;
            continue;
        }
        if (!IsNameCharacter(line[i]) && line[i] != u'-') {
            tab = tab || line[i] == u'\t';
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < end && IsNameCharacter(line[j]))
            ++j;
        const QString word = line.mid(i, j - i);
        qsizetype next = j;
        while (next < end && line[next] == u' ')
            ++next;
        // So is a tab right after the name.
        const bool operation = first && !tab && (j == end || line[j] != u'\t');
        if (next < end && (line[next] == u':' || line[next] == u'=')) {
            Mark(kinds, i, next + 1, Kind::Label);
            j = next + 1;
            tab = false;
        } else if (operation && word.compare(u"DS", Qt::CaseInsensitive) == 0) {
            Mark(kinds, i, j, Kind::Operation);
            Mark(kinds, j + 1, end, Kind::String);  // the string runs to the comment
            break;
        } else {
            const Kind kind = WordKind(word, operation);
            Mark(kinds, i - (i > 0 && line[i - 1] == u'#' ? 1 : 0), j, kind);
            first = false;
        }
        i = j;
    }
    return kinds;
}

void AsmHighlighter::highlightBlock(const QString& text) {
    static const QTextCharFormat formats[] = {
        {},                              // plain
        Colour("#1f4e9c", true),         // operation: deep blue, bold
        Colour("#7a3e9d"),               // register: plum
        Colour("#a05a00"),               // number: ochre
        Colour("#2e7d32", true),         // label: green, bold
        Colour("#b03a2e"),               // string: brick
        Colour("#6b6b6b", false, true),  // comment: grey, italic
    };
    const std::vector<Kind> kinds = Classify(text);
    qsizetype start = 0;
    for (qsizetype i = 1; i <= static_cast<qsizetype>(kinds.size()); ++i) {
        if (i < static_cast<qsizetype>(kinds.size()) && kinds[i] == kinds[start]) continue;
        if (kinds[start] != Kind::Plain)
            setFormat(static_cast<int>(start), static_cast<int>(i - start),
                      formats[static_cast<int>(kinds[start])]);
        start = i;
    }
}

}  // namespace q42
