#pragma once

#include <QRect>
#include <QString>

#include <functional>

namespace vornel {

class SettingsStore;

// Default e-mail address for mailto links; this same text is never written back, so the
// key stays absent until the user enters a real address.
inline const QString kPlaceholderMID = QStringLiteral("your-id@example.invalid");
// The "Viewer" value that means no viewer program has been chosen; also never written back.
inline const QString kNoViewer = QStringLiteral("*.exe");
// The name of the built-in template, as the chooser lists it and the settings keep it.
inline const QString kDefaultTemplateName = QStringLiteral("Vornel Default");

// Editor font sizes, in points, that a stored "Size" may hold; others give the default.
inline constexpr qint16 kDefaultFontSize = 8;
inline constexpr qint16 kMinFontSize = 4;
inline constexpr qint16 kMaxFontSize = 200;

// The application-wide preference record. Members are named by their settings keys.
// Flags are -1 (true) / 0 (false). Colours use the encoding of prefs/color_number.h.
// The member initialisers are the initial values a preference keeps when its stored text
// does not convert; the defaults for absent keys are applied by readPreferences().
struct Preferences {
    qint32 FColor = 0;      // editor text colour
    qint32 BColor = 0;      // editor background colour
    qint16 Bold = 0;        // editor font bold
    qint16 Italic = 0;      // editor font italic
    QString Font;           // editor font name
    qint16 Size = 0;        // editor font size, whole points
    qint16 EnterBR = 0;     // 1: Enter also inserts the line-break tag
    QString MID;            // e-mail address for mailto links
    QString Template;       // default template; "Vornel Default" is the built-in one
    QString DocPath;        // local document folder
    QString WebPath;        // web server documents path
    QString GifPath;        // web server GIF files path (relative)
    QString MMedPath;       // web server multimedia files path (relative)
    QString Viewer;         // HTML viewer program; kNoViewer when none is chosen
    QString FTPPath;        // default ftp: path
    QString HomePage;       // home page reference
    QString HomeGif;        // home page picture button
    QString HomeText;       // text of the go-to-home-page link
    qint16 WebServerFileSystem = 0;  // 2 attached, 1 not attached
    qint16 ETB = 0;         // extended toolbar shown, as loaded; saving takes the menu's check mark
    qint16 EInsHTML = 0;    // toolbox HTML mode; the toolbox keeps it up to date
    qint16 ExtShow = 0;     // toolbox shown; the toolbox keeps it up to date

    bool operator==(const Preferences &) const = default;
};

// The one record the whole program reads and the preference dialog edits.
Preferences &prefs();

// Reads "FColor" ... "ETB" in their documented order into a fresh record. Absent keys give
// their defaults (DocPath: programDir); a value that does not convert leaves the initial
// value above (0 or empty), except the colours and the font size, where a value that does
// not convert or names no colour / lies outside kMinFontSize..kMaxFontSize gives the default. WebServerFileSystem other than 2 becomes 1. EInsHTML and
// ExtShow are not read here (see readToolboxSettings). The recent files are not read either:
// their owner reads "RecentFile1".."RecentFile8" itself.
Preferences readPreferences(const SettingsStore &store, const QString &programDir);
// Start-up: prefs() = readPreferences(settingsStore(), defaultDocumentFolder()). The caller
// then sets the "Extended &Toolbar" check mark and the extended toolbar from prefs().ETB.
void loadPreferences();

// Reads "EInsHTML" and "ExtShow" (default 0 each) into the record.
void readToolboxSettings(const SettingsStore &store, Preferences &preferences);
// Start-up, after loadPreferences(): readToolboxSettings(settingsStore(), prefs()).
void loadToolboxSettings();

// Reads "X", "Y", "Width", "Height" (twips) as 16-bit numbers. A missing key or one that
// does not convert gives the matching value of current, the window's present geometry.
QRect readWindowGeometry(const SettingsStore &store, const QRect &current);
QRect loadWindowGeometry(const QRect &current);

// The main window's state at closing down, as savePreferences() needs it.
struct ExitState {
    QRect geometry;                       // main window left, top, width, height in twips
    bool minimised = false;               // geometry is not written while minimised
    bool extendedToolbarChecked = false;  // the "Extended &Toolbar" check mark, saved as ETB
    // Called right after ExtShow is written, only when the toolbox is shown. Closing the
    // toolbox records its mode in the record's EInsHTML, which is written next.
    std::function<void()> closeToolbox;
};

// Writes the record in its documented order: geometry (unless minimised), FColor, BColor,
// Bold, Italic, Font, Size, MID (unless kPlaceholderMID), Template, EnterBR, HomePage,
// HomeGif, HomeText, DocPath, WebPath, GifPath, MMedPath, FTPPath, Viewer (unless
// kNoViewer), WebServerFileSystem, ETB, ExtShow, EInsHTML. Pass the record the toolbox
// updates, so that EInsHTML is read after closeToolbox has run.
void writePreferences(SettingsStore &store, const Preferences &preferences, const ExitState &exit);
// Closing down, when no document window is left: writePreferences(settingsStore(), prefs(), exit).
void savePreferences(const ExitState &exit);

} // namespace vornel
