#include "prefs/preference_edits.h"

#include "prefs/preferences.h"

#include <cmath>

namespace vornel {

namespace {

constexpr qint16 kTrue = -1;
constexpr qint16 kFalse = 0;
constexpr qint16 kServerAttached = 2;
constexpr qint16 kServerNotAttached = 1;

} // namespace

QString Preferences::*locationPreference(int index)
{
    static QString Preferences::*const fields[kLocationFieldCount] = {
        &Preferences::DocPath,  &Preferences::Viewer,   &Preferences::WebPath,
        &Preferences::GifPath,  &Preferences::MMedPath, &Preferences::FTPPath,
        &Preferences::HomePage, &Preferences::HomeGif,  &Preferences::HomeText,
    };
    return index >= 0 && index < kLocationFieldCount ? fields[index] : nullptr;
}

PreferenceEdits editsFrom(const Preferences &preferences)
{
    PreferenceEdits edits;
    edits.look = {preferences.FColor, preferences.BColor, preferences.Bold != 0, preferences.Italic != 0,
                  preferences.Font,   double(preferences.Size)};
    edits.email = preferences.MID;
    edits.enterOption = preferences.EnterBR == 0 || preferences.EnterBR == 1 ? preferences.EnterBR : -1;
    edits.templateName = preferences.Template;
    edits.webServerAttached = preferences.WebServerFileSystem == kServerAttached;
    for (int i = 0; i < kLocationFieldCount; ++i)
        edits.locations << preferences.*locationPreference(i);
    if (edits.locations[1] == kNoViewer)
        edits.locations[1].clear();
    return edits;
}

void commitEdits(const PreferenceEdits &edits, Preferences &preferences)
{
    const EditorLook &look = edits.look;
    preferences.Bold = look.bold ? kTrue : kFalse;
    preferences.Italic = look.italic ? kTrue : kFalse;
    preferences.Font = look.fontName;
    preferences.Size = wholePoints(look.pointSize);
    preferences.FColor = look.foreColor;
    preferences.BColor = look.backColor;
    if (!edits.email.isEmpty())
        preferences.MID = edits.email;
    if (!edits.templateName.isEmpty())
        preferences.Template = edits.templateName;
    if (edits.enterOption == 0 || edits.enterOption == 1)
        preferences.EnterBR = qint16(edits.enterOption);
    preferences.WebServerFileSystem = edits.webServerAttached ? kServerAttached : kServerNotAttached;
    for (int i = 0; i < kLocationFieldCount && i < edits.locations.size(); ++i)
        preferences.*locationPreference(i) = edits.locations[i];
}

qint16 wholePoints(double pointSize)
{
    return qint16(std::floor(pointSize + 0.5));
}

QString withForwardSlashes(const QString &path)
{
    QString result = path;
    return result.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace vornel
