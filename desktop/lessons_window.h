#pragma once
// Help › Lessons: the lessons of the interface language in a list, the chosen one shown as the
// guide shows a text, with a button that opens its worked program in the editor and, for each
// exercise, one that starts it from its starting text and one that checks the editor's program.
// The window only shows and forwards: the workbench opens texts and checks programs.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "exercise/lesson.h"

class QListWidget;
class QTextBrowser;
class QGridLayout;
class QPushButton;

namespace q42 {

class LessonsWindow : public QWidget {
    Q_OBJECT
  public:
    LessonsWindow();

    QListWidget* lessonList = nullptr;
    QTextBrowser* text = nullptr;
    QPushButton* openProgramButton = nullptr;
    std::vector<QPushButton*> startButtons;  // one per exercise of the lesson shown
    std::vector<QPushButton*> checkButtons;

    // Shows the lesson in row `row` of the list.
    void ShowLesson(int row);

  signals:
    void OpenProgram(const QString& program);
    void StartExercise(const QString& name);  // "07-loops-2"
    void CheckExercise(const QString& name);
    // A link out of the lessons: to the guide or to the chapter on using the program.
    void LinkOut(const QUrl& url);

  private:
    std::vector<Lesson> lessons_;
    QGridLayout* exerciseButtons_ = nullptr;

    void ShowExerciseButtons(const Lesson& lesson);
    void FollowLink(const QUrl& url);
};

// The lessons built into the program, in the interface language, in order.
std::vector<Lesson> BuiltInLessons();
// A lesson's Markdown text in the interface language.
QString LessonMarkdown(const QString& name);

}  // namespace q42
