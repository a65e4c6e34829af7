#include "dialogs/latin1_entities.h"

#include <array>

namespace vornel {

namespace {

constexpr int kFirstCode = 192;
constexpr int kMultiplicationSign = 215;
constexpr int kDivisionSign = 247;

// Indexed by code - 192; the two signs have no entity here.
constexpr std::array<const char *, 64> kNames = {
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", // 192
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   // 200
    "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   nullptr,  // 208
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  // 216
    "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", // 224
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   // 232
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   nullptr,  // 240
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",   // 248
};

} // namespace

QList<int> extendedCharacterCodes()
{
    QList<int> codes;
    for (int code = kFirstCode; code < kFirstCode + int(kNames.size()); ++code) {
        if (code != kMultiplicationSign && code != kDivisionSign)
            codes.append(code);
    }
    return codes;
}

QString entityName(int code)
{
    const int index = code - kFirstCode;
    if (index < 0 || index >= int(kNames.size()) || !kNames[std::size_t(index)])
        return QString();
    return QString::fromLatin1(kNames[std::size_t(index)]);
}

QString entityReference(int code)
{
    const QString name = entityName(code);
    return name.isEmpty() ? QString() : QLatin1Char('&') + name + QLatin1Char(';');
}

} // namespace vornel
