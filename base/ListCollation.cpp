#include "base/ListCollation.h"

#include "base/WorkerPool.h"

#include <QLocale>

#include <cstring>
#include <new>
#include <optional>

#ifdef QUILLERY_HAVE_ICU
#include <unicode/ucol.h>
#endif

namespace quillery {

namespace {

// Names in a run of the pool: a collator serves one thread at a time, so each run opens its own.
constexpr qsizetype KeyRun = 1024;

QLocale collationLocale()
{
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

#ifdef QUILLERY_HAVE_ICU
// An ICU collator set up as QCollator sets up its own for a locale, case ignored, numbers as
// text and punctuation counted.
class IcuCollator {
public:
    explicit IcuCollator(const QByteArray& localeId)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_collator = ucol_open(localeId.constData(), &status);
        if (U_FAILURE(status)) {
            // ICU falls back to its root order for a locale it does not know; this is for
            // running out of memory, when the root order is all that is left.
            status = U_ZERO_ERROR;
            m_collator = ucol_open("", &status);
            if (U_FAILURE(status))
                throw std::bad_alloc();
        }
        for (const auto& [attribute, value] :
             {std::pair{UCOL_NORMALIZATION_MODE, UCOL_ON}, std::pair{UCOL_STRENGTH, UCOL_SECONDARY},
              std::pair{UCOL_NUMERIC_COLLATION, UCOL_OFF},
              std::pair{UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE}}) {
            status = U_ZERO_ERROR;
            ucol_setAttribute(m_collator, attribute, value, &status);
        }
    }
    ~IcuCollator()
    {
        if (m_collator)
            ucol_close(m_collator);
    }
    IcuCollator(const IcuCollator&) = delete;
    IcuCollator& operator=(const IcuCollator&) = delete;

    // Appends the key of text, with its closing NUL, to keys.
    void appendKey(QStringView text, std::string& keys) const
    {
        const size_t at = keys.size();
        const auto length = int32_t(text.size());
        size_t room = 16 + size_t(text.size()) * 3;
        for (;;) {
            keys.resize(at + room);
            const int32_t size =
                ucol_getSortKey(m_collator, reinterpret_cast<const UChar*>(text.utf16()), length,
                                reinterpret_cast<uint8_t*>(&keys[at]), int32_t(room));
            if (size_t(size) <= room) {
                keys.resize(at + size_t(size));
                return;
            }
            room = size_t(size);
        }
    }

private:
    UCollator* m_collator = nullptr;
};

QByteArray icuLocaleId()
{
    return collationLocale().bcp47Name().replace(u'-', u'_').toLatin1();
}
#endif

} // namespace

QCollator ListSortKeys::collator()
{
    QCollator collator(collationLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    return collator;
}

ListSortKeys::ListSortKeys(const QStringView* texts, qsizetype count) : m_size(count)
{
    const qsizetype runs = (count + KeyRun - 1) / KeyRun;
#ifdef QUILLERY_HAVE_ICU
    const QByteArray localeId = icuLocaleId();
    m_buffers.resize(size_t(runs));
    std::vector<size_t> offsets(static_cast<size_t>(count));
    WorkerPool::shared().forEach(
        runs,
        [&](qsizetype run) {
            const IcuCollator icu(localeId);
            std::string& keys = m_buffers[size_t(run)];
            const qsizetype end = std::min(count, (run + 1) * KeyRun);
            keys.reserve(size_t(end - run * KeyRun) * 48);
            for (qsizetype i = run * KeyRun; i < end; ++i) {
                offsets[size_t(i)] = keys.size();
                icu.appendKey(texts[i], keys);
            }
        },
        1);
    m_keys.resize(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        m_keys[size_t(i)] = m_buffers[size_t(i / KeyRun)].data() + offsets[size_t(i)];
#else
    std::vector<std::optional<QCollatorSortKey>> keys(static_cast<size_t>(count));
    WorkerPool::shared().forEach(
        runs,
        [&](qsizetype run) {
            const QCollator collator = ListSortKeys::collator();
            for (qsizetype i = run * KeyRun; i < std::min(count, (run + 1) * KeyRun); ++i)
                keys[size_t(i)].emplace(collator.sortKey(texts[i].toString()));
        },
        1);
    m_keys.reserve(size_t(count));
    for (auto& key : keys)
        m_keys.push_back(std::move(*key));
#endif
}

int ListSortKeys::compare(qsizetype a, qsizetype b) const
{
#ifdef QUILLERY_HAVE_ICU
    return std::strcmp(m_keys[size_t(a)], m_keys[size_t(b)]);
#else
    return m_keys[size_t(a)].compare(m_keys[size_t(b)]);
#endif
}

} // namespace quillery
