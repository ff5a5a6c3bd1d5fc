#include "ui/Translation.h"

#include "base/Errors.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quillery::ui {

namespace {

constexpr UiLanguage kLanguages[] = {
    {"en", "English"},
    {"sv", "Svenska"},
    {"de", "Deutsch"},
};

struct Installed {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
    QLocale locale;
};

Installed& installed()
{
    static Installed state;
    return state;
}

// Loads the translation of `locale` named `name` from `folder` and installs it; null when there
// is none (English, or a language nobody translated).
std::unique_ptr<QTranslator> install(const QLocale& locale, const QString& name,
                                     const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace

std::span<const UiLanguage> uiLanguages()
{
    return kLanguages;
}

void applyLanguage(const QString& language)
{
    Installed& state = installed();
    state.program.reset(); // a translator removes itself as it is deleted
    state.qt.reset();
    state.locale = language.isEmpty() ? QLocale() : QLocale(language);
    // English is the source: no file is looked for, so a system that prefers English but lists
    // other languages after it is not shown one of them.
    if (state.locale.language() == QLocale::English || state.locale.language() == QLocale::C)
        return;
    state.program = install(state.locale, QStringLiteral("quillery"), QStringLiteral(":/i18n"));
    if (state.program)
        state.qt = install(state.locale, QStringLiteral("qtbase"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void applyStoredLanguage(SettingsStore* store)
{
    QString language;
    try {
        std::unique_ptr<SettingsStore> own;
        if (!store) {
            own = openUserSettingsStore();
            store = own.get();
        }
        language = LoadAppSettings(*store).language;
    } catch (const Error&) {
        // The window reads the settings again as it starts and shows the failure.
    }
    applyLanguage(language);
}

LegendTranslator translatedLegend()
{
    return [](const char* context, const char* text) {
        return QCoreApplication::translate(context, text);
    };
}

QLocale uiLocale()
{
    return installed().locale;
}

} // namespace quillery::ui
