#pragma once

#include <QChar>
#include <QRect>
#include <QString>
#include <QStringList>

namespace quillery {

struct FormatContext;
class SettingsStore;

// The application-wide settings of the current user. A default-made value holds the settings of a
// first start.
struct AppSettings {
    QChar dashChar = QChar(0x2014); // EM DASH
    bool dashSpaced = false;
    QString subtitleSeparator = QStringLiteral(": ");
    bool statusbar = true;
    bool tooltips = true;
    bool escapeHtml = true;
    bool markInvalidIsbns = true; // the editor's mark beside an ISBN that is not valid
    QString directory; // a full path ending in a separator; the Documents folder by default
    QString format;    // the first default format by default
    QString book;      // the name of the book last loaded in the catalogue folder; none by default
    QRect window;      // where the main window was last, in screen pixels; invalid by default
    QString language;  // the window's language ("sv", "de", "en"); empty follows the system
    QStringList formats;
    QStringList dataLinkTemplates;
    QStringList synonymsEBook;
    QStringList synonymsHardcover;
    QStringList synonymsPaperback;

    AppSettings();

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// The six reference formats a first start offers, in order.
QStringList defaultFormats();
QStringList defaultSynonymsEBook();
QStringList defaultSynonymsHardcover();
QStringList defaultSynonymsPaperback();
// The user's Documents folder with a trailing separator (the home folder where there is none).
QString defaultDirectory();

// Reads the settings from the store; whatever is not stored keeps its default. Rules:
// - "DashChar" counts only when it is exactly one UTF-16 code unit;
// - a stored empty "SubtitleSeparator" stays empty;
// - "Directory" counts only when it names a folder that exists now;
// - "Format" missing reads as empty (once the Settings key exists);
// - "Language" missing reads as empty: the window follows the system's language;
// - a list is read from index 0 up to the first missing index: an existing list key without
//   index 0 gives an empty list, a missing key the defaults;
// - a value of the wrong kind (a number where a string belongs, or the reverse) counts as absent.
AppSettings LoadAppSettings(SettingsStore& store);

// Writes the settings: the Settings values in their fixed order (the last book and the window's
// place only when there is one to keep, or one was kept before; the language likewise), then every
// list key deleted and written anew, so a shortened list leaves no stale entries and an emptied one
// stays empty. A key that cannot be opened or created is skipped silently. Ends with the store's
// flush(), which throws FileError when a settings file cannot be written.
void SaveAppSettings(SettingsStore& store, const AppSettings& settings);

// The text the main window's format box starts with: "Format" if not empty, else the first
// format, else empty.
QString formatBoxText(const AppSettings& settings);

// Hands the settings that reach formatting to a format run: dash, spacing, subtitle separator,
// HTML escaping, the synonym lists and the database-link templates. Mode and report options are
// left as they are.
void applyToFormatContext(const AppSettings& settings, FormatContext& context);

} // namespace quillery
