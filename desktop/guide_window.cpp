#include "desktop/guide_window.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "desktop/accessible_names.h"

#include "machine/language.h"

namespace q42 {
namespace {

// A heading's name as links name it: lower case, blanks as "-", other punctuation dropped.
QString Slug(const QString& heading) {
    QString slug;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) {
            slug += c;
        } else if (c.isSpace()) {
            slug += QLatin1Char('-');
        }
    }
    return slug;
}

}  // namespace

QString BuiltInText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString GuideMarkdown() {
    return BuiltInText(EnglishTexts() ? QStringLiteral(":/docs/guide.en.md")
                                      : QStringLiteral(":/docs/guide.ru.md"));
}

QString HowToUseMarkdown() {
    return BuiltInText(EnglishTexts() ? QStringLiteral(":/docs/lessons/en/00-using.md")
                                      : QStringLiteral(":/docs/lessons/ru/00-using.md"));
}

GuideWindow::GuideWindow(const QString& markdown, const QString& name) {
    setObjectName(name);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    resize(720, 640);
    search = new QLineEdit(this);
    search->setObjectName(QStringLiteral("GuideSearch"));
    search->setClearButtonEnabled(true);
    text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("GuideText"));
    text->setOpenLinks(false);
    text->setMarkdown(markdown);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search);
    layout->addWidget(text);
    connect(search, &QLineEdit::returnPressed, this, &GuideWindow::FindNext);
    connect(text, &QTextBrowser::anchorClicked, this, &GuideWindow::FollowLink);
    NameControls(*this);
}

void GuideWindow::FindNext() {
    const QString wanted = search->text();
    if (wanted.isEmpty()) return;
    if (text->find(wanted)) return;
    text->moveCursor(QTextCursor::Start);  // wrap round to the top
    text->find(wanted);
}

void GuideWindow::FollowLink(const QUrl& url) {
    if (!url.isRelative() || url.fragment().isEmpty()) {
        QDesktopServices::openUrl(url);
        return;
    }
    const QString wanted = url.fragment();
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && Slug(block.text()) == wanted) {
            text->setTextCursor(QTextCursor(block));
            // The heading at the top of the view, not just somewhere in it.
            const QRectF place = text->document()->documentLayout()->blockBoundingRect(block);
            text->verticalScrollBar()->setValue(static_cast<int>(place.top()));
            return;
        }
    }
}

}  // namespace q42
