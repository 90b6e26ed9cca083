#pragma once
// The student's guide in a window of its own: the guide of the interface language, rendered from
// its Markdown, with a search field and links that move within it.

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QUrl;

namespace q42 {

class GuideWindow : public QWidget {
    Q_OBJECT
  public:
    GuideWindow();

    QTextBrowser* text = nullptr;
    QLineEdit* search = nullptr;

    // Moves to the next place that holds the search text, from the top again after the last.
    void FindNext();
    // A link to "#section" moves to the heading of that name; any other opens outside.
    void FollowLink(const QUrl& url);
};

// The guide of the interface language as Markdown (built into the program).
QString GuideMarkdown();

}  // namespace q42
