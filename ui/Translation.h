#pragma once

#include "format/Legend.h"

#include <QLocale>
#include <QString>

#include <span>

namespace quillery {
class SettingsStore;
}

namespace quillery::ui {

// A language the window can be shown in: its code as the settings keep it and its name in that
// language, as the Settings dialog offers it.
struct UiLanguage {
    const char* code;
    const char* name;
};

// English, Swedish and German, in the order the Settings dialog lists them after "System
// language".
std::span<const UiLanguage> uiLanguages();

// Shows the window in `language` ("" follows the system): the program's translation and Qt's own
// (the standard buttons and dialogs) are installed, replacing those of a language applied
// before. English, and a language without a translation, show the source texts. Widgets made
// afterwards take the texts; those made before keep theirs.
void applyLanguage(const QString& language);

// The language of the settings in `store` (the user's own when null) applied as above; a store
// that cannot be read leaves the system's language, and the window then says why.
void applyStoredLanguage(SettingsStore* store = nullptr);

// The format legend's lines as the window shows them: translated from the core's English.
LegendTranslator translatedLegend();

// The locale of the applied language, for the numbers and dates the window formats itself.
QLocale uiLocale();

} // namespace quillery::ui
