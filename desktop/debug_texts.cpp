#include "desktop/debug_texts.h"

#include "desktop/qt_text.h"
#include "machine/language.h"

namespace q42 {
namespace {

QString Pick(const char* russian, const char* english) {
    return QString::fromUtf8(EnglishTexts() ? english : russian);
}

QString Hex(Value word) {
    return ToQt(WordToHex(word));
}

// "line 7" when the line is known, else "address 000C".
QString Place(int line, Value address) {
    if (line > 0) return Pick("строка %1", "line %1").arg(line);
    return Pick("адрес %1", "address %1").arg(Hex(address));
}

}  // namespace

QString PauseNotice(const DebugPause& pause, int line, Value pc) {
    using Reason = DebugPause::Reason;
    switch (pause.reason) {
        case Reason::Breakpoint:
            return Pick("Точка останова: %1", "Breakpoint: %1").arg(Place(line, pc));
        case Reason::Watchpoint:
            return Pick("Слово %1 изменилось: %2 → %3", "Word %1 changed: %2 → %3")
                .arg(Hex(pause.address), Hex(pause.before), Hex(pause.after));
        case Reason::Stepped:
        case Reason::StepLimit: return Pick("Пауза: %1", "Paused: %1").arg(Place(line, pc));
        case Reason::Ended: return {};
    }
    return {};
}

QString SourceChangedNotice() {
    return Pick("Текст изменён после компиляции: выполняемая строка не показана.",
                "The text was changed after it was compiled: the line being run is not shown.");
}

QString CodeChangedNotice(Value pc) {
    return Pick("В ОЗУ по адресу %1 не тот код, что получен из этого текста.",
                "RAM at %1 no longer holds the code compiled from this text.")
        .arg(Hex(pc));
}

QString RomRoutineNotice(const std::string& routine) {
    return Pick("Внутри подпрограммы ПЗУ %1: Shift+F8 возвращает в вашу программу.",
                "Inside the ROM routine %1: Shift+F8 returns to your program.")
        .arg(QString::fromStdString(routine));
}

// The Debug menu's item as the menu names it (captions.cpp).
QString ProgramEndedNotice() {
    return Pick(
        "Программа завершена: F9 запускает её снова, Отладка › Вып. первую команду — шаг "
        "с начала.",
        "The program has ended: F9 runs it again, Debug › Do first command steps from the "
        "start.");
}

QStringList LogColumnTitles() {
    return EnglishTexts() ? QStringList{QStringLiteral("Address"), QStringLiteral("Instruction"),
                                        QStringLiteral("Changes"), QStringLiteral("Explanation")}
                          : QStringList{QStringLiteral("Адрес"), QStringLiteral("Команда"),
                                        QStringLiteral("Изменения"), QStringLiteral("Пояснение")};
}

QString ChangesText(const StepExplanation& explanation) {
    QStringList parts;
    for (const auto& change : explanation.changes) {
        parts << QStringLiteral("%1 %2→%3")
                     .arg(QString::fromStdString(change.what),
                          QString::fromStdString(change.before),
                          QString::fromStdString(change.after));
    }
    return parts.join(QStringLiteral(", "));
}

QString SpeedName(int stepsPerSecond) {
    if (stepsPerSecond == 0) return Pick("максимум", "maximum");
    if (EnglishTexts())
        return QStringLiteral("%1 step%2/s")
            .arg(stepsPerSecond)
            .arg(stepsPerSecond == 1 ? "" : "s");
    // 1 шаг, 2 шага, 5 шагов, 25 шагов.
    const int last = stepsPerSecond % 10;
    const bool teen = stepsPerSecond % 100 >= 11 && stepsPerSecond % 100 <= 14;
    const char* word = (last == 1 && !teen)                ? "шаг"
                       : (last >= 2 && last <= 4 && !teen) ? "шага"
                                                           : "шагов";
    return QStringLiteral("%1 %2/с").arg(stepsPerSecond).arg(QString::fromUtf8(word));
}

QString RamBreakpointItem(bool set) {
    return set ? Pick("Снять точку останова", "Clear breakpoint")
               : Pick("Поставить точку останова", "Set breakpoint");
}

QString ExerciseFilter() {
    return Pick("упражнения (*.q42test);;все файлы (*)", "exercises (*.q42test);;all files (*)");
}

}  // namespace q42
