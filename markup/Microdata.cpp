#include "markup/Microdata.h"

#include "base/IntegerText.h"
#include "markup/Authors.h"
#include "markup/Dates.h"
#include "markup/HtmlText.h"
#include "markup/LanguageRegistry.h"

namespace quillery {

namespace {

const QString ItemScope = QStringLiteral(" itemscope=\"\"");
const QString ItemTypeBook = QStringLiteral(" itemtype=\"http://schema.org/Book\"");

QString trimmedBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return begin == 0 && end == text.size() ? text : text.sliced(begin, end - begin);
}

const LanguageRegistry& registryOf(const FormatContext& context)
{
    return context.languages ? *context.languages : LanguageRegistry::instance();
}

bool inSynonyms(const QString& value, const QStringList& synonyms)
{
    return synonyms.contains(value, Qt::CaseInsensitive);
}

const char16_t* const BookFormats[] = {u"EBook", u"Hardcover", u"Paperback"};

std::optional<const char16_t*> synonymFormat(const QString& v, const FormatContext& context)
{
    if (inSynonyms(v, context.synonymsEBook))
        return BookFormats[0];
    if (inSynonyms(v, context.synonymsHardcover))
        return BookFormats[1];
    if (inSynonyms(v, context.synonymsPaperback))
        return BookFormats[2];
    return std::nullopt;
}

QString bookFormatMarkup(const QString& v, const FormatContext& context)
{
    const QString e = EscapeHtml(v, context.escapeHtml);
    for (const char16_t* format : BookFormats) {
        if (v == QStringView(format))
            return u"<span itemprop=\"bookFormat\">" + v + u"</span>";
    }
    const auto meta = [&e](const char16_t* format) -> QString {
        return u"<meta itemprop=\"bookFormat\" content=\"" + QStringView(format) + u"\" />" + e;
    };
    if (const std::optional<const char16_t*> synonym = synonymFormat(v, context))
        return meta(*synonym);
    return e;
}

bool isLetterName(QStringView name)
{
    if (name.isEmpty())
        return false;
    for (const char32_t c : name.toUcs4()) {
        if (!QChar::isLetter(c))
            return false;
    }
    return true;
}

} // namespace

std::optional<QString> BookFormatOf(const QString& binding, const FormatContext& context)
{
    const QString v = trimmedBlanks(binding);
    for (const char16_t* format : BookFormats) {
        if (v == QStringView(format))
            return QString::fromUtf16(format);
    }
    if (const std::optional<const char16_t*> synonym = synonymFormat(v, context))
        return QString::fromUtf16(*synonym);
    return std::nullopt;
}

QString LangAttribute(const BookRecord& record, const FormatContext& context)
{
    if (!context.report.useLangForTitle)
        return {};
    const LanguageRegistry& registry = registryOf(context);
    const QString& language = record[Field::Language];
    const std::optional<QString> tag = LanguageTagOf(language, registry);
    if (!tag)
        return {};
    if (SameLanguage(language, context.report.defaultLang, registry))
        return {};
    // A tag written in parentheses is free text; keep it from ending the attribute.
    return u" lang=\"" + escapeAttribute(*tag) + u'"';
}

QString MarkupField(char16_t code, const QString& value, const BookRecord& record,
                    const FormatContext& context)
{
    const QString v = trimmedBlanks(value);
    if (v.isEmpty())
        return {};
    const bool escape = context.escapeHtml;

    if (!context.report.microdata) {
        if (code == u'T' || code == u'Q' || code == u'E' || code == u'e') {
            const QString lang = LangAttribute(record, context);
            if (!lang.isEmpty())
                return u"<span" + lang + u'>' + EscapeHtml(v, escape) + u"</span>";
        }
        return v;
    }

    switch (code) {
    case u'A':
        return AuthorListMarkup(QStringLiteral("author"), v, escape);
    case u'Y':
        return DateMarkup(QStringLiteral("dateCreated"), v, escape);
    case u'T':
    case u'F':
        return u"<cite itemprop=\"name\"" + LangAttribute(record, context) + u'>' +
               EscapeHtml(v, escape) + u"</cite>";
    case u'Q':
        return u"<span" + LangAttribute(record, context) + u'>' + EscapeHtml(v, escape) +
               u"</span>";
    case u'E':
        return u"<span itemprop=\"bookEdition\"" + LangAttribute(record, context) + u'>' +
               EscapeHtml(v, escape) + u"</span>";
    case u'e':
        return u"<span itemprop=\"isPartOf\" itemscope=\"\" "
               u"itemtype=\"http://schema.org/CreativeWork\"><span itemprop=\"name\"" +
               LangAttribute(record, context) + u'>' + EscapeHtml(v, escape) + u"</span></span>";
    case u'i':
        return u"<span itemprop=\"position\">" + QString::number(integerOrThrow(v)) + u"</span>";
    case u'P':
        return u"<span itemprop=\"publisher\" itemscope=\"\" "
               u"itemtype=\"http://schema.org/Organization\"><span itemprop=\"name\">" +
               EscapeHtml(v, escape) + u"</span></span>";
    case u'N':
    case u'I':
        return u"<span itemprop=\"isbn\">" + EscapeHtml(v, escape) + u"</span>";
    case u'n':
        return u"<span itemprop=\"numberOfPages\">" + QString::number(integerOrThrow(v)) +
               u"</span>";
    case u'B':
        return bookFormatMarkup(v, context);
    case u'U':
        if (const std::optional<QString> tag = LanguageTagOf(v, registryOf(context))) {
            return u"<meta itemprop=\"inLanguage\" content=\"" + escapeAttribute(*tag) + u"\" />" +
                   EscapeHtml(v, escape);
        }
        return EscapeHtml(v, escape);
    default:
        return EscapeHtml(v, escape);
    }
}

void ApplyMicrodataToBeforeItem(bool microdata, QString& beforeItem, QString& afterItem)
{
    if (microdata) {
        if (beforeItem.isEmpty() && afterItem.isEmpty()) {
            beforeItem = QStringLiteral("<div>");
            afterItem = QStringLiteral("</div>");
        }
        const QString t = trimmedBlanks(beforeItem);
        if (t.size() >= 3 && t.startsWith(u'<') && t.endsWith(u'>') &&
            isLetterName(QStringView(t).sliced(1, t.size() - 2)))
            beforeItem = t.chopped(1) + ItemScope + ItemTypeBook + u'>';
        return;
    }
    const qsizetype scope = beforeItem.indexOf(ItemScope);
    if (scope >= 0)
        beforeItem.remove(scope, ItemScope.size());
    const qsizetype type = beforeItem.indexOf(ItemTypeBook);
    if (type >= 0)
        beforeItem.remove(type, ItemTypeBook.size());
}

} // namespace quillery
