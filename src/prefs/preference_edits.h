#pragma once

#include <QString>
#include <QStringList>

namespace vornel {

struct Preferences;

// The editor's look while the preference dialog is open: the working copy its sample text
// shows. Font and colours keep the record's values (a system colour stays a system colour,
// a font name stays as stored) until the user picks new ones.
struct EditorLook {
    qint32 foreColor = 0;
    qint32 backColor = 0;
    bool bold = false;
    bool italic = false;
    QString fontName;
    double pointSize = 0;   // as the font dialog gives it; stored in whole points

    bool operator==(const EditorLook &) const = default;
};

inline constexpr int kLocationFieldCount = 9;

// The preference location field index (0..8) edits: DocPath, Viewer, WebPath, GifPath,
// MMedPath, FTPPath, HomePage, HomeGif, HomeText; nullptr outside that range.
QString Preferences::*locationPreference(int index);

// Everything the preference dialog edits, as its fields hold it.
struct PreferenceEdits {
    EditorLook look;
    QString email;
    QString templateName;       // empty when no entry of the template list is chosen
    int enterOption = -1;       // the Enter-key option chosen (0 or 1), -1 when none is
    bool webServerAttached = false;
    QStringList locations;      // the nine location fields

    bool operator==(const PreferenceEdits &) const = default;
};

// What the dialog shows when it opens: the record's values, an unset viewer ("*.exe") as an
// empty field, an Enter-key setting other than 0 or 1 as no option chosen.
PreferenceEdits editsFrom(const Preferences &preferences);
// OK: font and colours from the look (size rounded to whole points), the e-mail address and
// the template only when not empty, the Enter key only when an option is chosen, the web
// server flag as 2 or 1, then the nine locations as they stand.
void commitEdits(const PreferenceEdits &edits, Preferences &preferences);

// A font size in whole points, halves rounded up (9.75 gives 10).
qint16 wholePoints(double pointSize);

// Every back-slash turned into a slash, as references on a web server are written.
QString withForwardSlashes(const QString &path);

} // namespace vornel
