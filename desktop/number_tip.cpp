#include "desktop/number_tip.h"

#include "desktop/qt_text.h"
#include "machine/language.h"

namespace q42 {
namespace {

QString Binary(int word) {
    QString bits;
    for (int bit = 15; bit >= 0; --bit) {
        bits += (word >> bit) & 1 ? u'1' : u'0';
        if (bit % 4 == 0 && bit > 0) bits += u' ';
    }
    return bits;
}

// A byte as the character the screen shows for it; a control code as its number.
QString Character(int byte) {
    if (byte < 0x20 || byte == 0x7F) return QStringLiteral("#%1").arg(byte);
    return u'\'' + ToQt(std::string(1, static_cast<char>(byte))) + u'\'';
}

}  // namespace

QString NumberTip(Value word) {
    const int value = static_cast<int>(word & 0xFFFF);
    const int signedValue = value >= 0x8000 ? value - 0x10000 : value;
    const bool english = EnglishTexts();
    const QString form = english ? QStringLiteral(
                                       "hex %1\nunsigned %2\nsigned %3\nbinary %4\n"
                                       "bytes as characters: low %5, high %6")
                                 : QStringLiteral(
                                       "шестнадцатеричное %1\nбез знака %2\nсо знаком %3\n"
                                       "двоичное %4\nбайты как символы: младший %5, старший %6");
    return form.arg(QString::fromStdString(WordToHex(value)))
        .arg(value)
        .arg(signedValue)
        .arg(Binary(value), Character(value & 0xFF), Character(value >> 8));
}

}  // namespace q42
