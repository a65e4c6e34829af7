#include "prefs/preferences.h"

#include "platform/program_folder.h"
#include "prefs/color_number.h"
#include "prefs/number_text.h"
#include "prefs/settings_store.h"

namespace vornel {

namespace {

// Reads one key of the program's section. Each reader leaves its target untouched when the
// text does not convert, so a bad value keeps the initial value and loading goes on.
class SectionReader {
public:
    explicit SectionReader(const SettingsStore &store) : m_store(store) {}

    QString text(const QString &key, const QString &defaultValue) const
    {
        return m_store.get(kSettingsApplication, kSettingsSection, key, defaultValue);
    }
    void read(const QString &key, const QString &defaultValue, QString &target) const
    {
        target = text(key, defaultValue);
    }
    void read(const QString &key, const QString &defaultValue, qint32 &target) const
    {
        assignIfOk(textToInt32(text(key, defaultValue)), target);
    }
    void read(const QString &key, const QString &defaultValue, qint16 &target) const
    {
        assignIfOk(textToInt16(text(key, defaultValue)), target);
    }
    // A colour that does not convert, or names no colour, would paint text and background
    // alike (black on black); it takes the default colour instead.
    void readColor(const QString &key, const QString &defaultValue, qint32 &target) const
    {
        const Converted<qint32> stored = textToInt32(text(key, defaultValue));
        target = stored.ok() && isKnownColorNumber(stored.value) ? stored.value
                                                                 : textToInt32(defaultValue).value;
    }

private:
    template <typename Int>
    static void assignIfOk(const Converted<Int> &converted, Int &target)
    {
        if (converted.ok())
            target = converted.value;
    }

    const SettingsStore &m_store;
};

class SectionWriter {
public:
    explicit SectionWriter(SettingsStore &store) : m_store(store) {}

    void write(const QString &key, const QString &value)
    {
        m_store.save(kSettingsApplication, kSettingsSection, key, value);
    }
    void write(const QString &key, qint64 number) { write(key, numberToText(number)); }

private:
    SettingsStore &m_store;
};

constexpr qint16 kTrue = -1;
constexpr qint16 kFalse = 0;

} // namespace

Preferences &prefs()
{
    static Preferences record;
    return record;
}

Preferences readPreferences(const SettingsStore &store, const QString &programDir)
{
    const SectionReader in(store);
    Preferences p;
    in.readColor(QStringLiteral("FColor"), QStringLiteral("&H80000008"), p.FColor);
    in.readColor(QStringLiteral("BColor"), QStringLiteral("&H80000005"), p.BColor);
    in.read(QStringLiteral("Bold"), numberToText(kTrue), p.Bold);
    in.read(QStringLiteral("Italic"), numberToText(kFalse), p.Italic);
    in.read(QStringLiteral("Font"), QStringLiteral("MS Sans Serif"), p.Font);
    in.read(QStringLiteral("Size"), numberToText(kDefaultFontSize), p.Size);
    // A size no font dialog offers (0 shows nothing, 10000 one letter) gives the default.
    if (p.Size < kMinFontSize || p.Size > kMaxFontSize)
        p.Size = kDefaultFontSize;
    in.read(QStringLiteral("EnterBR"), numberToText(0), p.EnterBR);
    in.read(QStringLiteral("MID"), kPlaceholderMID, p.MID);
    in.read(QStringLiteral("Template"), kDefaultTemplateName, p.Template);
    in.read(QStringLiteral("DocPath"), programDir, p.DocPath);
    in.read(QStringLiteral("WebPath"), QString(), p.WebPath);
    in.read(QStringLiteral("GifPath"), QString(), p.GifPath);
    in.read(QStringLiteral("MMedPath"), QString(), p.MMedPath);
    in.read(QStringLiteral("Viewer"), kNoViewer, p.Viewer);
    in.read(QStringLiteral("FTPPath"), QString(), p.FTPPath);
    in.read(QStringLiteral("HomePage"), QString(), p.HomePage);
    in.read(QStringLiteral("HomeGif"), QString(), p.HomeGif);
    in.read(QStringLiteral("HomeText"), QStringLiteral("Return To Home Page"), p.HomeText);
    in.read(QStringLiteral("WebServerFileSystem"), numberToText(2), p.WebServerFileSystem);
    if (p.WebServerFileSystem != 2)
        p.WebServerFileSystem = 1;
    in.read(QStringLiteral("ETB"), numberToText(kTrue), p.ETB);
    return p;
}

void loadPreferences()
{
    prefs() = readPreferences(settingsStore(), defaultDocumentFolder());
}

void readToolboxSettings(const SettingsStore &store, Preferences &preferences)
{
    const SectionReader in(store);
    preferences.EInsHTML = kFalse;
    preferences.ExtShow = kFalse;
    in.read(QStringLiteral("EInsHTML"), numberToText(kFalse), preferences.EInsHTML);
    in.read(QStringLiteral("ExtShow"), numberToText(kFalse), preferences.ExtShow);
}

void loadToolboxSettings()
{
    readToolboxSettings(settingsStore(), prefs());
}

QRect readWindowGeometry(const SettingsStore &store, const QRect &current)
{
    const SectionReader in(store);
    const auto number = [&](const QString &key, int currentValue) {
        const Converted<qint16> stored = textToInt16(in.text(key, numberToText(currentValue)));
        return stored.ok() ? int(stored.value) : currentValue;
    };
    return QRect(number(QStringLiteral("X"), current.x()), number(QStringLiteral("Y"), current.y()),
                 number(QStringLiteral("Width"), current.width()),
                 number(QStringLiteral("Height"), current.height()));
}

QRect loadWindowGeometry(const QRect &current)
{
    return readWindowGeometry(settingsStore(), current);
}

void writePreferences(SettingsStore &store, const Preferences &p, const ExitState &exit)
{
    const SettingsBatch batch(store);
    SectionWriter out(store);
    if (!exit.minimised) {
        out.write(QStringLiteral("X"), exit.geometry.x());
        out.write(QStringLiteral("Y"), exit.geometry.y());
        out.write(QStringLiteral("Width"), exit.geometry.width());
        out.write(QStringLiteral("Height"), exit.geometry.height());
    }
    out.write(QStringLiteral("FColor"), p.FColor);
    out.write(QStringLiteral("BColor"), p.BColor);
    out.write(QStringLiteral("Bold"), p.Bold);
    out.write(QStringLiteral("Italic"), p.Italic);
    out.write(QStringLiteral("Font"), p.Font);
    out.write(QStringLiteral("Size"), p.Size);
    if (p.MID != kPlaceholderMID)
        out.write(QStringLiteral("MID"), p.MID);
    out.write(QStringLiteral("Template"), p.Template);
    out.write(QStringLiteral("EnterBR"), p.EnterBR);
    out.write(QStringLiteral("HomePage"), p.HomePage);
    out.write(QStringLiteral("HomeGif"), p.HomeGif);
    out.write(QStringLiteral("HomeText"), p.HomeText);
    out.write(QStringLiteral("DocPath"), p.DocPath);
    out.write(QStringLiteral("WebPath"), p.WebPath);
    out.write(QStringLiteral("GifPath"), p.GifPath);
    out.write(QStringLiteral("MMedPath"), p.MMedPath);
    out.write(QStringLiteral("FTPPath"), p.FTPPath);
    if (p.Viewer != kNoViewer)
        out.write(QStringLiteral("Viewer"), p.Viewer);
    out.write(QStringLiteral("WebServerFileSystem"), p.WebServerFileSystem);
    out.write(QStringLiteral("ETB"), exit.extendedToolbarChecked ? kTrue : kFalse);
    out.write(QStringLiteral("ExtShow"), p.ExtShow);
    if (p.ExtShow && exit.closeToolbox)
        exit.closeToolbox();
    out.write(QStringLiteral("EInsHTML"), p.EInsHTML);
}

void savePreferences(const ExitState &exit)
{
    writePreferences(settingsStore(), prefs(), exit);
}

} // namespace vornel
