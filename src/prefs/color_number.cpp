#include "prefs/color_number.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace vornel {

namespace {

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The classic system colour table, index by index, as the nearest palette roles.
constexpr std::array<SystemColor, 25> kSystemColors{{
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window background
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 MDI workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlighted text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText},// 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 tool-tip text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 tool-tip background
}};

} // namespace

bool isKnownColorNumber(qint32 number)
{
    const quint32 bits = quint32(number);
    return !(bits & kSystemColorFlag) || (bits & ~kSystemColorFlag) < kSystemColors.size();
}

QColor colorFromNumber(qint32 number, const QPalette &palette)
{
    const quint32 bits = quint32(number);
    if (bits & kSystemColorFlag) {
        const quint32 index = bits & ~kSystemColorFlag;
        if (index >= kSystemColors.size())
            return QColor(Qt::black);
        const SystemColor &entry = kSystemColors[index];
        return palette.color(entry.group, entry.role);
    }
    // The top byte (palette-relative flags on the original platform) carries no colour.
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

QColor colorFromNumber(qint32 number)
{
    return colorFromNumber(number, QGuiApplication::palette());
}

qint32 numberFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return qint32(quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16);
}

} // namespace vornel
