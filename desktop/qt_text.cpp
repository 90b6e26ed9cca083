#include "desktop/qt_text.h"

#include "machine/codepage.h"

namespace q42 {

QString ToQt(const std::string& text) {
    return QString::fromStdString(Cp1251ToUtf8(text));
}

std::string FromQt(const QString& text) {
    return Utf8ToCp1251(text.toStdString());
}

bool FitsCodePage(const QString& text) {
    const std::string back = Cp1251ToUtf8(FromQt(text));
    return QString::fromStdString(back) == text;
}

QString LinesToQt(const std::vector<std::string>& lines) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        list << ToQt(line);
    return list.join(u'\n');
}

std::vector<std::string> LinesFromQt(const QString& text) {
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split(u'\n'))
        lines.push_back(FromQt(line));
    return lines;
}

}  // namespace q42
