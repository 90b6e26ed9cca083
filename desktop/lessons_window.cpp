#include "desktop/lessons_window.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "desktop/accessible_names.h"

#include "desktop/captions.h"
#include "desktop/guide_window.h"
#include "machine/language.h"

namespace q42 {
namespace {

QString LessonFolder() {
    return EnglishTexts() ? QStringLiteral(":/docs/lessons/en/")
                          : QStringLiteral(":/docs/lessons/ru/");
}

// A link's file name without its folders: "../../guide.en.md" → "guide.en.md".
QString LinkedFile(const QUrl& url) {
    return url.path().section(QLatin1Char('/'), -1);
}

}  // namespace

std::vector<Lesson> BuiltInLessons() {
    std::vector<std::string> files;
    for (const QString& file : QDir(LessonFolder()).entryList({QStringLiteral("*.md")}))
        files.push_back(file.toStdString());
    std::vector<Lesson> lessons;
    for (const std::string& name : LessonNames(files)) {
        const QString text = LessonMarkdown(QString::fromStdString(name));
        lessons.push_back(ReadLesson(name, text.toStdString()));
    }
    return lessons;
}

QString LessonMarkdown(const QString& name) {
    return BuiltInText(LessonFolder() + name + QStringLiteral(".md"));
}

LessonsWindow::LessonsWindow() : lessons_(BuiltInLessons()) {
    setObjectName(QStringLiteral("LessonsWindow"));
    setAttribute(Qt::WA_AlwaysShowToolTips);
    resize(900, 640);
    lessonList = new QListWidget(this);
    lessonList->setObjectName(QStringLiteral("lessonList"));
    lessonList->setWordWrap(true);
    for (const Lesson& lesson : lessons_)
        lessonList->addItem(QString::fromStdString(lesson.title));
    text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("lessonText"));
    text->setOpenLinks(false);
    openProgramButton = new QPushButton(CaptionOf(*this, "OpenProgram"), this);
    openProgramButton->setObjectName(QStringLiteral("OpenProgram"));
    openProgramButton->setToolTip(HintOf(*this, "OpenProgram"));

    auto* lessonPane = new QWidget(this);
    auto* lessonLayout = new QVBoxLayout(lessonPane);
    lessonLayout->setContentsMargins(0, 0, 0, 0);
    lessonLayout->addWidget(text, 1);
    lessonLayout->addWidget(openProgramButton, 0, Qt::AlignLeft);
    exerciseButtons_ = new QGridLayout;
    lessonLayout->addLayout(exerciseButtons_);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(lessonList);
    splitter->addWidget(lessonPane);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 620});
    for (int i = 0; i < splitter->count(); ++i)
        splitter->handle(i)->setObjectName(QStringLiteral("lessonDivider"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    connect(lessonList, &QListWidget::currentRowChanged, this, &LessonsWindow::ShowLesson);
    connect(text, &QTextBrowser::anchorClicked, this, &LessonsWindow::FollowLink);
    connect(openProgramButton, &QPushButton::clicked, this, [this] {
        const int row = lessonList->currentRow();
        if (row >= 0) emit OpenProgram(QString::fromStdString(lessons_[row].program));
    });
    NameControls(*this);
    if (!lessons_.empty()) lessonList->setCurrentRow(0);
}

void LessonsWindow::ShowLesson(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= lessons_.size()) return;
    const Lesson& lesson = lessons_[row];
    text->setMarkdown(LessonMarkdown(QString::fromStdString(lesson.name)));
    openProgramButton->setEnabled(!lesson.program.empty());
    ShowExerciseButtons(lesson);
}

// A row for each exercise: its title, "Start the exercise" and "Check".
void LessonsWindow::ShowExerciseButtons(const Lesson& lesson) {
    while (QLayoutItem* item = exerciseButtons_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    startButtons.clear();
    checkButtons.clear();
    const auto button = [this](const char* name) {
        auto* made = new QPushButton(CaptionOf(*this, name), this);
        made->setObjectName(QString::fromLatin1(name));
        made->setToolTip(HintOf(*this, name));
        return made;
    };
    int row = 0;
    for (const LessonExercise& exercise : lesson.exercises) {
        const QString name = QString::fromStdString(exercise.name);
        auto* title = new QLabel(QStringLiteral("%1. %2")
                                     .arg(exercise.number)
                                     .arg(QString::fromStdString(exercise.title)),
                                 this);
        QPushButton* start = button("StartExercise");
        QPushButton* check = button("CheckExercise");
        connect(start, &QPushButton::clicked, this, [this, name] { emit StartExercise(name); });
        connect(check, &QPushButton::clicked, this, [this, name] { emit CheckExercise(name); });
        exerciseButtons_->addWidget(title, row, 0);
        exerciseButtons_->addWidget(start, row, 1);
        exerciseButtons_->addWidget(check, row, 2);
        startButtons.push_back(start);
        checkButtons.push_back(check);
        ++row;
    }
    exerciseButtons_->setColumnStretch(0, 1);
}

// A link to another lesson shows it; a link to a heading of this one moves there; any other
// goes out to the workbench.
void LessonsWindow::FollowLink(const QUrl& url) {
    const QString file = LinkedFile(url);
    if (file.isEmpty() && !url.fragment().isEmpty()) {
        text->scrollToAnchor(url.fragment());
        return;
    }
    for (std::size_t row = 0; row < lessons_.size(); ++row) {
        if (file == QString::fromStdString(lessons_[row].name) + QStringLiteral(".md")) {
            lessonList->setCurrentRow(static_cast<int>(row));
            return;
        }
    }
    emit LinkOut(url);
}

}  // namespace q42
