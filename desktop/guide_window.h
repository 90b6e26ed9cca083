#pragma once
// The student's guide in a window of its own: the guide of the interface language (or another
// page built into the program, such as how to use it), rendered from its Markdown, with a search
// field and links that move within it.

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QUrl;

namespace q42 {

class GuideWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows `markdown`; the window's object name is `name`.
    explicit GuideWindow(const QString& markdown,
                         const QString& name = QStringLiteral("GuideWindow"));

    QTextBrowser* text = nullptr;
    QLineEdit* search = nullptr;

    // Moves to the next place that holds the search text, from the top again after the last.
    void FindNext();
    // A link to "#section" moves to the heading of that name; any other opens outside.
    void FollowLink(const QUrl& url);
};

// A text built into the program (a path such as ":/docs/guide.en.md"); empty when missing.
QString BuiltInText(const QString& path);
// The guide of the interface language as Markdown (built into the program).
QString GuideMarkdown();
// How to use the program, in the interface language (the lessons' first chapter, built in).
QString HowToUseMarkdown();

}  // namespace q42
