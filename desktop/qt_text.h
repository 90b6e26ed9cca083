#pragma once
// Conversions between the core's 8-bit text (Windows-1251) and Qt's strings, for the windows.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace q42 {

QString ToQt(const std::string& text);
// Characters that Windows-1251 cannot hold become "?".
std::string FromQt(const QString& text);
// True when every character of the text has a Windows-1251 code.
bool FitsCodePage(const QString& text);

// A memo's lines and back. A memo's text never ends in a line break of its own.
QString LinesToQt(const std::vector<std::string>& lines);
std::vector<std::string> LinesFromQt(const QString& text);

}  // namespace q42
