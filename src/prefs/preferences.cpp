#include "prefs/preferences.h"

#include "platform/program_folder.h"
#include "prefs/color_number.h"
#include "prefs/number_text.h"
#include "prefs/settings_store.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

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

// How a key's stored text becomes the record's value.
enum class Conversion {
    Plain,       // as stored; a number that does not convert leaves the initial value
    Colour,      // a number that names no colour gives the default
    FontSize,    // a size outside kMinFontSize..kMaxFontSize gives the default
    FileSystem,  // anything but 2 (attached) is 1 (not attached)
};

// Whose keys these are: the record's, read at start-up, or the toolbox's, read when it is
// restored after them.
enum class Owner { Record, Toolbox };

struct PreferenceKey {
    QString key;
    std::variant<QString Preferences::*, qint16 Preferences::*, qint32 Preferences::*> member;
    QString defaultText;   // for DocPath, the program's folder stands in
    int readPosition = 0;  // keys are read in another order than they are written
    Conversion conversion = Conversion::Plain;
    std::optional<QString> neverWritten = std::nullopt;  // a placeholder that stays out of the store
    Owner owner = Owner::Record;
};

// Every preference key, in the order closing down writes them (after the window geometry).
const std::vector<PreferenceKey> &preferenceKeys()
{
    static const std::vector<PreferenceKey> keys = {
        {"FColor", &Preferences::FColor, "&H80000008", 0, Conversion::Colour},
        {"BColor", &Preferences::BColor, "&H80000005", 1, Conversion::Colour},
        {"Bold", &Preferences::Bold, numberToText(kTrue), 2},
        {"Italic", &Preferences::Italic, numberToText(kFalse), 3},
        {"Font", &Preferences::Font, "MS Sans Serif", 4},
        {"Size", &Preferences::Size, numberToText(kDefaultFontSize), 5, Conversion::FontSize},
        {"MID", &Preferences::MID, kPlaceholderMID, 7, Conversion::Plain, kPlaceholderMID},
        {"Template", &Preferences::Template, kDefaultTemplateName, 8},
        {"EnterBR", &Preferences::EnterBR, numberToText(0), 6},
        {"HomePage", &Preferences::HomePage, {}, 15},
        {"HomeGif", &Preferences::HomeGif, {}, 16},
        {"HomeText", &Preferences::HomeText, "Return To Home Page", 17},
        {"DocPath", &Preferences::DocPath, {}, 9},
        {"WebPath", &Preferences::WebPath, {}, 10},
        {"GifPath", &Preferences::GifPath, {}, 11},
        {"MMedPath", &Preferences::MMedPath, {}, 12},
        {"FTPPath", &Preferences::FTPPath, {}, 14},
        {"Viewer", &Preferences::Viewer, kNoViewer, 13, Conversion::Plain, kNoViewer},
        {"WebServerFileSystem", &Preferences::WebServerFileSystem, numberToText(2), 18, Conversion::FileSystem},
        {"ETB", &Preferences::ETB, numberToText(kTrue), 19},
        {"ExtShow", &Preferences::ExtShow, numberToText(kFalse), 1, Conversion::Plain, std::nullopt, Owner::Toolbox},
        {"EInsHTML", &Preferences::EInsHTML, numberToText(kFalse), 0, Conversion::Plain, std::nullopt, Owner::Toolbox},
    };
    return keys;
}

template <typename Member>
bool isKey(const PreferenceKey &key, Member member)
{
    const Member *held = std::get_if<Member>(&key.member);
    return held && *held == member;
}

// The keys one owner reads, in the order it reads them.
std::vector<const PreferenceKey *> keysReadBy(Owner owner)
{
    std::vector<const PreferenceKey *> read;
    for (const PreferenceKey &key : preferenceKeys()) {
        if (key.owner == owner)
            read.push_back(&key);
    }
    std::sort(read.begin(), read.end(), [](auto a, auto b) { return a->readPosition < b->readPosition; });
    return read;
}

void readKey(const SectionReader &in, const PreferenceKey &key, const QString &defaultText, Preferences &p)
{
    std::visit([&](auto member) {
        auto &target = p.*member;
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(target)>, qint32>) {
            if (key.conversion == Conversion::Colour) {
                in.readColor(key.key, defaultText, target);
                return;
            }
        }
        in.read(key.key, defaultText, target);
    }, key.member);
    // A size no font dialog offers (0 shows nothing, 10000 one letter) gives the default.
    if (key.conversion == Conversion::FontSize && (p.Size < kMinFontSize || p.Size > kMaxFontSize))
        p.Size = kDefaultFontSize;
    if (key.conversion == Conversion::FileSystem && p.WebServerFileSystem != 2)
        p.WebServerFileSystem = 1;
}

void writeKey(SectionWriter &out, const PreferenceKey &key, const Preferences &p)
{
    std::visit([&](auto member) {
        const auto &value = p.*member;
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, QString>) {
            if (key.neverWritten != value)
                out.write(key.key, value);
        } else {
            out.write(key.key, value);
        }
    }, key.member);
}

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
    for (const PreferenceKey *key : keysReadBy(Owner::Record))
        readKey(in, *key, isKey(*key, &Preferences::DocPath) ? programDir : key->defaultText, p);
    return p;
}

void loadPreferences()
{
    prefs() = readPreferences(settingsStore(), defaultDocumentFolder());
}

void readToolboxSettings(const SettingsStore &store, Preferences &preferences)
{
    const SectionReader in(store);
    for (const PreferenceKey *key : keysReadBy(Owner::Toolbox)) {
        // A value that does not convert leaves the flag off, not as it was.
        std::visit([&](auto member) { preferences.*member = {}; }, key->member);
        readKey(in, *key, key->defaultText, preferences);
    }
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
    for (const PreferenceKey &key : preferenceKeys()) {
        // The menu's check mark, not the record's value as it was loaded.
        if (isKey(key, &Preferences::ETB))
            out.write(key.key, exit.extendedToolbarChecked ? kTrue : kFalse);
        else
            writeKey(out, key, p);
        if (isKey(key, &Preferences::ExtShow) && p.ExtShow && exit.closeToolbox)
            exit.closeToolbox();
    }
}

void savePreferences(const ExitState &exit)
{
    writePreferences(settingsStore(), prefs(), exit);
}

} // namespace vornel
