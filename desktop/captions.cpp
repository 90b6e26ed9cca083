#include "desktop/captions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>
#include <cstring>

#include "machine/language.h"

namespace q42 {
namespace {

using Target = CaptionTarget;

// By kind: the windows' titles, the assembler window's menus in menu order, grid headers, texts,
// hints, and last the assembler window's questions.
constexpr Caption kCaptions[] = {
    {Target::Title, "TForm1", "", " Ассемблер Q42", " Q42 Assembler"},
    {Target::Title, "TForm2", "", " Текст для компиляции", " Text for compilation"},
    {Target::Title, "TFormRAM", "", " Q42: ОЗУ", " Q42: RAM"},
    {Target::Title, "Tmain", "", " Q42: процессор", " Q42: processor"},
    {Target::Title, "TDisplay", "", " Q42: экран дисплея", " Q42: display screen"},
    {Target::Title, "TComCod", "", " Декодирование  команды", " Instruction decoding"},
    {Target::Title, "executionLog", "", " Q42: журнал выполнения", " Q42: execution log"},
    {Target::Menu, "TForm1", "File1", "Файл", "File"},
    {Target::Item, "TForm1", "OpenAsm1", "Открыть .ASM...", "Open .ASM..."},
    {Target::Item, "TForm1", "OpenCod1", "Открыть .COD...", "Open .COD..."},
    {Target::Item, "TForm1", "SaveAsm1", "Сохранить .ASM...", "Save .ASM..."},
    {Target::Item, "TForm1", "SaveAsmAs1", "Сохранить .ASM как...", "Save .ASM as..."},
    {Target::Item, "TForm1", "SaveCod1", "Сохранить .COD...", "Save .COD..."},
    {Target::Menu, "TForm1", "Examples1", "Примеры", "Examples"},
    {Target::Item, "TForm1", "Exit1", "Выход", "Exit"},
    {Target::Menu, "TForm1", "Edit1", "Правка", "Edit"},
    {Target::Item, "TForm1", "Cut1", "Вырезать", "Cut"},
    {Target::Item, "TForm1", "Copy1", "Копировать", "Copy"},
    {Target::Item, "TForm1", "Paste1", "Вставить", "Paste"},
    {Target::Item, "TForm1", "SelectAll1", "Выделить все", "Select all"},
    {Target::Item, "TForm1", "UnDo1", "Отменить", "Undo"},
    {Target::Item, "TForm1", "ClearAsm1", "Очистить текст", "Clear text"},
    {Target::Item, "TForm1", "ClearCode1", "Очистить код", "Clear code"},
    {Target::Menu, "TForm1", "View1", "Вид", "View"},
    {Target::Item, "TForm1", "CompText1", "Текст для компиляции", "Text for compilation"},
    {Target::Item, "TForm1", "ExecutionLog1", "Журнал выполнения", "Execution log"},
    {Target::Menu, "TForm1", "Run1", "Запуск", "Run"},
    {Target::Item, "TForm1", "CompAndRun1", "1-4: компил. ASM и запуск",
     "1-4: compile ASM and run"},
    {Target::Item, "TForm1", "CopyAndRun1", "3-4: запуск кода", "3-4: run code"},
    {Target::Item, "TForm1", "RunRAM1", "4*: запуск из ОЗУ", "4*: run from RAM"},
    {Target::Item, "TForm1", "CopyCode1", "3*: код в ОЗУ", "3*: copy code into RAM"},
    {Target::Item, "TForm1", "CompAndPreproc1", "1-2: компил. + препроцес.",
     "1-2: compile + preproc."},
    {Target::Item, "TForm1", "Compile1", "2*: только компиляция", "2*: compile only"},
    {Target::Item, "TForm1", "Preprocess1", "1*: только препроцессинг", "1*: preprocess only"},
    {Target::Item, "TForm1", "stop1", "Прервать программу", "Break program"},
    {Target::Item, "TForm1", "CheckExercise1", "Проверить упражнение...", "Check exercise..."},
    {Target::Menu, "TForm1", "race1", "Отладка", "Debug"},
    {Target::Item, "TForm1", "Decode1", "Декодировать команды с 0", "Decode commands from 0"},
    // Its "c" is the Latin letter.
    {Target::Item, "TForm1", "DecodeCurrent1", "Декодировать c текущего PC",
     "Decode from current PC"},
    {Target::Item, "TForm1", "FirrstCom1", "Вып. первую команду", "Do first command"},
    {Target::Item, "TForm1", "NextCom1", "Вып. следующую команду", "Do next command"},
    {Target::Item, "TForm1", "StepOver1", "Шаг с обходом подпрограмм", "Step over"},
    {Target::Item, "TForm1", "StepOut1", "Выйти из подпрограммы", "Step out"},
    {Target::Item, "TForm1", "StepBack1", "Шаг назад", "Step back"},
    {Target::Item, "TForm1", "Continue1", "Продолжить", "Continue"},
    {Target::Item, "TForm1", "RunToCursor1", "Выполнить до курсора", "Run to cursor"},
    {Target::Item, "TForm1", "ToggleBreakpoint1", "Поставить или снять точку останова",
     "Toggle breakpoint"},
    {Target::Item, "TForm1", "ClearBreakpoints1", "Снять все точки останова", "Clear breakpoints"},
    {Target::Item, "TForm1", "CopyRegs1", "Копировать в регистры", "Copy to registers"},
    {Target::Menu, "TForm1", "Help1", "Справка", "Help"},
    {Target::Item, "TForm1", "Guide1", "Руководство", "Guide"},
    {Target::Item, "TForm1", "HowToUse1", "Как пользоваться программой", "How to use"},
    {Target::Item, "TForm1", "Lessons1", "Уроки", "Lessons"},
    {Target::Item, "TForm1", "About1", "О программе", "About"},
    {Target::Header, "TForm1", "labels:0", "Метка", "Label"},
    {Target::Header, "TForm1", "labels:2", "Адр.", "Addr."},
    {Target::Header, "TFormRAM", "RAM:0", "адрес", "address"},
    {Target::Header, "TFormRAM", "RAM:1", " код", " code"},
    {Target::Text, "TComCod", "Label3", "Операция", "Operation"},
    {Target::Text, "TComCod", "BitBtn1", "Дальше", "Next"},
    {Target::Text, "TComCod", "JmpBtn", "Переход", "Jump"},
    {Target::Text, "LessonsWindow", "OpenProgram", "Открыть программу", "Open the program"},
    {Target::Text, "LessonsWindow", "StartExercise", "Начать упражнение", "Start the exercise"},
    {Target::Text, "LessonsWindow", "CheckExercise", "Проверить", "Check"},
    {Target::Hint, "LessonsWindow", "OpenProgram", "Открыть программу урока в редакторе",
     "Open the lesson's program in the editor"},
    {Target::Hint, "LessonsWindow", "StartExercise",
     "Открыть в редакторе начальный текст упражнения",
     "Open the exercise's starting text in the editor"},
    {Target::Hint, "LessonsWindow", "CheckExercise",
     "Проверить программу в редакторе по этому упражнению",
     "Check the program in the editor against this exercise"},
    {Target::Hint, "TForm1", "SpeedButton1", "Компилировать", "Compile"},
    {Target::Hint, "Tmain", "SpeedButton1", "Выполнить следующую команду", "Execute next command"},
    {Target::Hint, "Tmain", "SpeedButton2", "Скопировать код в ОЗУ и запустить",
     "Copy code into RAM & run"},
    {Target::Hint, "Tmain", "SpeedButton3", "Выполнить первую команду", "Execute first command"},
    {Target::Hint, "Tmain", "SpeedButton4", "Прервать программу", "Interrupt program"},
    {Target::Hint, "Tmain", "SpeedButton5", "Скомпилировать ASM и запустить", "Compile ASM & run"},
    {Target::Hint, "Tmain", "SpeedButton6", "Изменить значения регистров",
     "Change register values"},
    {Target::Hint, "Tmain", "SpeedButton7", "Декодировать программу", "Decode program"},
    {Target::Hint, "TFormRAM", "RAM", "Двойной щелчок для декодирования",
     "DblClick value to decode"},
    {Target::Hint, "TForm1", "lineNumbers", "Щелчок ставит или снимает точку останова (F2)",
     "Click to set or clear a breakpoint (F2)"},
    {Target::Hint, "Tmain", "speedBox", "Скорость выполнения: шагов в секунду",
     "Run speed: steps per second"},
    // What a screen reader reads for the controls whose captions do not say it: a control
    // without a text of its own, or one whose caption is a symbol (its description then says
    // what the symbol stands for). A button with a hint and no text is read by its hint.
    {Target::Name, "TForm1", "menuBar", "Главное меню", "Main menu"},
    {Target::Name, "TForm1", "asmText", "Текст на ассемблере", "Assembler text"},
    {Target::Name, "TForm1", "codeText", "Код", "Code text"},
    {Target::Name, "TForm1", "labels", "Таблица меток", "Label table"},
    {Target::Name, "TForm1", "sizeGrip", "Изменить размер окна", "Resize the window"},
    {Target::Name, "TForm2", "compText", "Текст для компиляции", "Text for compilation"},
    {Target::Name, "TFormRAM", "RAM", "ОЗУ", "RAM"},
    {Target::Description, "TFormRAM", "RAM", "Адреса и слова памяти; двойной щелчок декодирует",
     "Memory addresses and words; a double click decodes"},
    {Target::Name, "TDisplay", "MyScreen", "Экран дисплея", "Display screen"},
    {Target::Name, "TDisplay", "MyReadLine", "Строка ввода", "Input line"},
    {Target::Name, "TDisplay", "FinishInput", "Закончить ввод", "Finish the input"},
    {Target::Name, "Tmain", "ER0", "R0", "R0"},
    {Target::Description, "Tmain", "ER0", "Регистр R0", "Register R0"},
    {Target::Name, "Tmain", "ER1", "R1", "R1"},
    {Target::Description, "Tmain", "ER1", "Регистр R1", "Register R1"},
    {Target::Name, "Tmain", "ER2", "R2", "R2"},
    {Target::Description, "Tmain", "ER2", "Регистр R2", "Register R2"},
    {Target::Name, "Tmain", "ER3", "R3", "R3"},
    {Target::Description, "Tmain", "ER3", "Регистр R3", "Register R3"},
    {Target::Name, "Tmain", "EPC", "PC", "PC"},
    {Target::Description, "Tmain", "EPC", "Счётчик команд", "Program counter"},
    {Target::Name, "Tmain", "ESP", "SP", "SP"},
    {Target::Description, "Tmain", "ESP", "Указатель стека", "Stack pointer"},
    {Target::Name, "Tmain", "EPS", "PS", "PS"},
    {Target::Description, "Tmain", "EPS", "Слово состояния процессора", "Processor status word"},
    {Target::Name, "Tmain", "EZ", "Z", "Z"},
    {Target::Description, "Tmain", "EZ", "Флаг нуля", "Zero flag"},
    {Target::Name, "Tmain", "EN", "N", "N"},
    {Target::Description, "Tmain", "EN", "Флаг отрицательного результата", "Negative flag"},
    {Target::Name, "Tmain", "speedBox", "Скорость выполнения", "Run speed"},
    {Target::Name, "TComCod", "Edit2", "Адрес", "Address"},
    {Target::Name, "TComCod", "Edit3", "Слова команды", "Instruction words"},
    {Target::Name, "TComCod", "Edit1", "Операция", "Operation"},
    {Target::Name, "TComCod", "Ope1", "Операнд 1", "Operand 1"},
    {Target::Name, "TComCod", "Ope2", "Операнд 2", "Operand 2"},
    {Target::Name, "TComCod", "Short", "Короткая константа", "Short constant"},
    {Target::Name, "TComCod", "Minus", "Отрицательная константа", "Negative constant"},
    {Target::Name, "TComCod", "By1", "Операнд 1 — байт", "Operand 1 is a byte"},
    {Target::Name, "TComCod", "By2", "Операнд 2 — байт", "Operand 2 is a byte"},
    {Target::Name, "executionLog", "log", "Журнал выполнения", "Execution log"},
    {Target::Name, "GuideWindow", "GuideSearch", "Найти в тексте", "Find in the text"},
    {Target::Name, "GuideWindow", "GuideText", "Руководство", "Guide"},
    {Target::Name, "HowToUseWindow", "GuideSearch", "Найти в тексте", "Find in the text"},
    {Target::Name, "HowToUseWindow", "GuideText", "Как пользоваться программой", "How to use"},
    {Target::Name, "LessonsWindow", "lessonList", "Список уроков", "Lessons"},
    {Target::Name, "LessonsWindow", "lessonText", "Текст урока", "Lesson text"},
    {Target::Name, "LessonsWindow", "lessonDivider", "Граница списка уроков", "Lesson list border"},
    {Target::Question, "TForm1", "ExitQuestion", "Действительно хотите выйти?",
     "Really want to exit?"},
    {Target::Question, "TForm1", "ClearQuestion", "Действительно хотите очистить\nASM-текст?",
     "Really want to clear\nASM-text?"},
    {Target::Question, "TForm1", "SaveQuestion", "ASM-текст изменён. Сохранить изменения?",
     "The ASM text has been changed. Save the changes?"},
};

}  // namespace

std::span<const Caption> Captions() {
    return kCaptions;
}

QString CaptionText(const Caption& caption) {
    return QString::fromUtf8(EnglishTexts() ? caption.english : caption.russian);
}

QString CaptionOf(const QWidget& window, const char* object) {
    const QByteArray name = window.objectName().toLatin1();
    for (const Caption& caption : kCaptions) {
        if (name == caption.window && std::strcmp(object, caption.object) == 0)
            return CaptionText(caption);
    }
    return {};
}

QString CaptionOf(const QWidget& window, const char* object, CaptionTarget target) {
    const QByteArray name = window.objectName().toLatin1();
    for (const Caption& caption : kCaptions) {
        if (caption.target == target && name == caption.window &&
            std::strcmp(object, caption.object) == 0)
            return CaptionText(caption);
    }
    return {};
}

QString HintOf(const QWidget& window, const char* object) {
    return CaptionOf(window, object, CaptionTarget::Hint);
}

QString TitleOf(const QWidget& window) {
    return CaptionOf(window, "");
}

void InstallQtTranslations() {
    if (EnglishTexts()) return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;  // without the package Qt's texts stay English
    }
}

QString LongLineMessage(const QString& file, int line, std::size_t length) {
    return (EnglishTexts()
                ? QStringLiteral("%1: line %2 is %3 characters long; the editor opens lines of up "
                                 "to %4 characters.")
                : QStringLiteral("%1: строка %2 длиной %3 символов; редактор открывает строки "
                                 "не длиннее %4 символов."))
        .arg(file)
        .arg(line)
        .arg(static_cast<qulonglong>(length))
        .arg(static_cast<qulonglong>(kMaxEditorLine));
}

QString AboutText() {
    const QString version = QStringLiteral(Q42_VERSION);
    const QString built = QString::fromLatin1(__DATE__);
    return EnglishTexts() ? QStringLiteral(
                                "Q42 teaching computer %1\n\nA simulator of the 16-bit teaching "
                                "machine Q42 with its assembler.\nBuilt %2.")
                                .arg(version, built)
                          : QStringLiteral(
                                "Учебный компьютер Q42 %1\n\nСимулятор 16-разрядной учебной "
                                "машины Q42 с ассемблером.\nСборка от %2.")
                                .arg(version, built);
}

QString SaveFailedMessage(const QString& reason) {
    return (EnglishTexts()
                ? QStringLiteral(
                      "The file was not saved: %1\nThe old file and the text are unchanged.")
                : QStringLiteral("Файл не сохранён: %1\nСтарый файл и текст не изменились."))
        .arg(reason);
}

QString CodePageQuestion() {
    return EnglishTexts()
               ? QStringLiteral(
                     "The text holds characters that Windows-1251 cannot hold; they will be saved "
                     "as "
                     "\"?\". Save anyway?")
               : QStringLiteral(
                     "В тексте есть символы, которых нет в кодировке Windows-1251; они будут "
                     "сохранены как «?». Всё равно сохранить?");
}

}  // namespace q42
