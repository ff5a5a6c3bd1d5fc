#include "settings/AppSettings.h"

#include "catalogue/Catalogue.h"
#include "markup/DataLinks.h"
#include "markup/FormatContext.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillery {

namespace {

QString keyPath(const char16_t* name)
{
    return quilleryKeyPath() + u'\\' + QStringView(name);
}

// The list keys in the order they are loaded and saved.
struct ListKey {
    const char16_t* key;
    const char16_t* prefix;
    QStringList AppSettings::*list;
    QStringList (*defaults)();
};

const ListKey ListKeys[] = {
    {u"Formats", u"Format", &AppSettings::formats, defaultFormats},
    {u"RefLinks", u"RefLink", &AppSettings::dataLinkTemplates, defaultDataLinkTemplates},
    {u"Synonyms\\EBook", u"Synonym", &AppSettings::synonymsEBook, defaultSynonymsEBook},
    {u"Synonyms\\Hardcover", u"Synonym", &AppSettings::synonymsHardcover, defaultSynonymsHardcover},
    {u"Synonyms\\Paperback", u"Synonym", &AppSettings::synonymsPaperback, defaultSynonymsPaperback},
};

QString valueName(const char16_t* prefix, qsizetype index)
{
    return QStringView(prefix) + QString::number(index);
}

void readBool(const SettingsKey& key, const QString& name, bool& field)
{
    if (const auto n = key.readNumber(name))
        field = *n != 0;
}

} // namespace

QStringList defaultFormats()
{
    return {
        QStringLiteral(R"fmt(%A(Y.F(E.P,p(y". ISBN "N(B)fmt"),
        QStringLiteral(R"fmt(%A(Y.F(E.P,p(y". ISBN "N)fmt"),
        QStringLiteral(R"fmt(%A(Y.F(E.P,p(y". ISBN "N(B(t)fmt"),
        QStringLiteral(
            R"fmt(%A(Y.F(E.P,p(y". ISBN "N(U" Translated from "O" by "r". Original title: "o)fmt"),
        QStringLiteral(
            R"fmt(%A(Y.F(E.P,e(i.p(y". ISBN "N(B(t(U" (| pages)"n" Translated from "O" by "r". Original title: "o)fmt"),
        QStringLiteral(
            R"fmt(<p>%A(Y.F(E.P,e(i.p(y". ISBN "N(B(t(U" (| pages)"n" Translated from "O" by "r". Original title: "o</p>"<p class=""comment"">|</p>"c)fmt"),
    };
}

QStringList defaultSynonymsEBook()
{
    return {
        QStringLiteral("EBook"),
        QStringLiteral("electronic"),
        QStringLiteral("electronic book"),
        QStringLiteral("electronic text"),
        QStringLiteral("digital"),
        QStringLiteral("digital book"),
        QStringLiteral("digital text"),
        QStringLiteral("digital file"),
        QStringLiteral("PDF"),
        QStringLiteral("PDF file"),
        QStringLiteral("PDF document"),
        QStringLiteral("e-book"),
        QStringLiteral("e-bok"),
        QStringLiteral("PDF-fil"),
        QStringLiteral("PDF-dokument"),
    };
}

QStringList defaultSynonymsHardcover()
{
    return {QStringLiteral("Hardcover"), QStringLiteral("inbunden")};
}

QStringList defaultSynonymsPaperback()
{
    return {QStringLiteral("Paperback"), QStringLiteral("pocket")};
}

QString defaultDirectory()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return withTrailingSeparator(QDir::toNativeSeparators(documents));
}

AppSettings::AppSettings()
    : directory(defaultDirectory()), formats(defaultFormats()),
      dataLinkTemplates(defaultDataLinkTemplates()), synonymsEBook(defaultSynonymsEBook()),
      synonymsHardcover(defaultSynonymsHardcover()), synonymsPaperback(defaultSynonymsPaperback())
{
    format = formats.value(0);
}

AppSettings LoadAppSettings(SettingsStore& store)
{
    AppSettings s;
    bool formatStored = false;
    if (const auto key = store.openKey(keyPath(u"Settings"), SettingsStore::Open::Existing)) {
        if (const auto dash = key->readString(QStringLiteral("DashChar"));
            dash && dash->size() == 1)
            s.dashChar = dash->front();
        readBool(*key, QStringLiteral("DashSpaced"), s.dashSpaced);
        if (const auto sep = key->readString(QStringLiteral("SubtitleSeparator")))
            s.subtitleSeparator = *sep;
        readBool(*key, QStringLiteral("Statusbar"), s.statusbar);
        readBool(*key, QStringLiteral("Tooltips"), s.tooltips);
        readBool(*key, QStringLiteral("EscapeHTML"), s.escapeHtml);
        readBool(*key, QStringLiteral("MarkInvalidIsbns"), s.markInvalidIsbns);
        // Only a full path counts: a relative one would depend on where the program started.
        if (const auto dir = key->readString(QStringLiteral("Directory"));
            dir && QDir::isAbsolutePath(*dir) && QFileInfo(*dir).isDir())
            s.directory = withTrailingSeparator(*dir);
        s.format = key->readString(QStringLiteral("Format")).value_or(QString());
        formatStored = true;
        s.book = key->readString(QStringLiteral("Book")).value_or(QString());
        s.language = key->readString(QStringLiteral("Language")).value_or(QString());
        const auto left = key->readNumber(QStringLiteral("WindowLeft"));
        const auto top = key->readNumber(QStringLiteral("WindowTop"));
        const auto width = key->readNumber(QStringLiteral("WindowWidth"));
        const auto height = key->readNumber(QStringLiteral("WindowHeight"));
        // Left and top may lie left of or above the primary screen: they are stored as 32 bits.
        if (left && top && width && height)
            s.window = QRect(qint32(*left), qint32(*top), int(*width), int(*height));
    }
    for (const ListKey& l : ListKeys) {
        QStringList& list = s.*l.list;
        const auto key = store.openKey(keyPath(l.key), SettingsStore::Open::Existing);
        if (!key)
            continue; // keeps its defaults
        list.clear();
        for (qsizetype i = 0;; ++i) {
            const auto entry = key->readString(valueName(l.prefix, i));
            if (!entry)
                break;
            list.append(*entry);
        }
    }
    if (!formatStored)
        s.format = s.formats.value(0);
    return s;
}

void SaveAppSettings(SettingsStore& store, const AppSettings& s)
{
    if (const auto key =
            store.openKey(keyPath(u"Settings"), SettingsStore::Open::CreateIfMissing)) {
        key->writeString(QStringLiteral("DashChar"), QString(s.dashChar));
        key->writeNumber(QStringLiteral("DashSpaced"), s.dashSpaced ? 1 : 0);
        key->writeString(QStringLiteral("SubtitleSeparator"), s.subtitleSeparator);
        key->writeNumber(QStringLiteral("Statusbar"), s.statusbar ? 1 : 0);
        key->writeNumber(QStringLiteral("Tooltips"), s.tooltips ? 1 : 0);
        key->writeString(QStringLiteral("Directory"), s.directory);
        key->writeString(QStringLiteral("Format"), s.format);
        key->writeNumber(QStringLiteral("EscapeHTML"), s.escapeHtml ? 1 : 0);
        key->writeNumber(QStringLiteral("MarkInvalidIsbns"), s.markInvalidIsbns ? 1 : 0);
        if (!s.book.isEmpty() || key->hasValue(QStringLiteral("Book")))
            key->writeString(QStringLiteral("Book"), s.book);
        if (!s.language.isEmpty() || key->hasValue(QStringLiteral("Language")))
            key->writeString(QStringLiteral("Language"), s.language);
        if (s.window.isValid()) {
            key->writeNumber(QStringLiteral("WindowLeft"), quint32(s.window.x()));
            key->writeNumber(QStringLiteral("WindowTop"), quint32(s.window.y()));
            key->writeNumber(QStringLiteral("WindowWidth"), quint32(s.window.width()));
            key->writeNumber(QStringLiteral("WindowHeight"), quint32(s.window.height()));
        }
    }
    for (const ListKey& l : ListKeys) {
        store.deleteKey(keyPath(l.key));
        const auto key = store.openKey(keyPath(l.key), SettingsStore::Open::CreateIfMissing);
        if (!key)
            continue;
        const QStringList& list = s.*l.list;
        for (qsizetype i = 0; i < list.size(); ++i)
            key->writeString(valueName(l.prefix, i), list[i]);
    }
    store.flush();
}

QString formatBoxText(const AppSettings& s)
{
    return s.format.isEmpty() ? s.formats.value(0) : s.format;
}

void applyToFormatContext(const AppSettings& s, FormatContext& c)
{
    c.dashChar = s.dashChar;
    c.dashSpaced = s.dashSpaced;
    c.subtitleSeparator = s.subtitleSeparator;
    c.escapeHtml = s.escapeHtml;
    c.synonymsEBook = s.synonymsEBook;
    c.synonymsHardcover = s.synonymsHardcover;
    c.synonymsPaperback = s.synonymsPaperback;
    c.dataLinkTemplates = s.dataLinkTemplates;
}

} // namespace quillery
