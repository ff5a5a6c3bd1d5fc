#pragma once

#include <QCollator>
#include <QString>

#include <string>
#include <vector>

namespace quillery {

// The sort keys of texts in the order the book list sorts names: the locale's collation with case
// ignored (the C locale, which has no collation of its own, sorts as English does). Comparing two
// keys gives the order QCollator gives for the texts with the same settings.
//
// The keys are made once, on the pool's threads. Where the build has ICU they are ICU's own key
// bytes kept side by side in a few large buffers (no allocation per text); elsewhere they are
// QCollator's keys.
class ListSortKeys {
public:
    // The keys of texts[0..count).
    ListSortKeys(const QStringView* texts, qsizetype count);

    qsizetype size() const { return m_size; }
    // Negative, zero or positive as the text at a sorts before, with or after the one at b.
    int compare(qsizetype a, qsizetype b) const;

    // The collator the keys follow, for texts compared one pair at a time.
    static QCollator collator();

private:
    qsizetype m_size = 0;
#ifdef QUILLERY_HAVE_ICU
    std::vector<std::string> m_buffers;
    std::vector<const char*> m_keys;
#else
    std::vector<QCollatorSortKey> m_keys;
#endif
};

} // namespace quillery
