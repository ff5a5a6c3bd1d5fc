#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <unordered_map>
#include <vector>

namespace quillery {

// One name of a language tag: a "Description:" of a registry record and the record's tag.
struct LanguageName {
    QString description;
    QString tag;

    friend bool operator==(const LanguageName&, const LanguageName&) = default;
};

// The language subtag registry as parsed from its record-jar text ("LANGS"). Two lists of names in
// file order: the tag list (records with "Tag:", the grandfathered and redundant tags) and the
// subtag list (records with "Subtag:", of any type). Names are looked up through an index built
// while parsing, with the same result as scanning the tag list and then the subtag list for the
// first description equal to the name, ignoring ASCII case only.
class LanguageRegistry {
public:
    LanguageRegistry() = default;
    // The index views the strings of the lists; moving keeps them, copying would not be cheaper
    // than sharing the one instance.
    LanguageRegistry(const LanguageRegistry&) = delete;
    LanguageRegistry& operator=(const LanguageRegistry&) = delete;
    LanguageRegistry(LanguageRegistry&&) = default;
    LanguageRegistry& operator=(LanguageRegistry&&) = default;

    // Parses registry text: "%%" lines end records; "Tag: ", "Subtag: " and "Description: " at
    // the start of a line (case-sensitive) give their values from a fixed column; every other line
    // is ignored. Never fails: text that is no registry gives an empty one.
    static LanguageRegistry parse(QByteArrayView text);

    // The program's own registry, parsed from its resource on first use and kept for the process.
    static const LanguageRegistry& instance();

    // The registry text compiled into the program.
    static QByteArray resourceText();

    // The tag whose description equals name (ASCII case ignored, nothing trimmed), tag list first.
    std::optional<QString> Find(QStringView name) const;

    const std::vector<LanguageName>& tagList() const { return m_tags; }
    const std::vector<LanguageName>& subtagList() const { return m_subtags; }
    // Records after the header, and the header's "File-Date:" value.
    qsizetype recordCount() const { return m_recordCount; }
    const QString& fileDate() const { return m_fileDate; }

private:
    struct FoldedHash {
        using is_transparent = void;
        std::size_t operator()(QStringView text) const noexcept;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept;
    };

    void addName(std::vector<LanguageName>& list, QString description, const QString& tag);

    std::vector<LanguageName> m_tags;
    std::vector<LanguageName> m_subtags;
    // Description (ASCII case ignored) to the tag of its first name, tag list before subtag list.
    // Keys view the descriptions held by the lists' strings, which are never changed.
    std::unordered_map<QStringView, QString, FoldedHash, FoldedEqual> m_index;
    qsizetype m_recordCount = 0;
    QString m_fileDate;
};

// The BCP 47 tag a language text stands for: the text between the first "(" and the first ")",
// trimmed, as written (empty when ")" comes first; that counts as found); otherwise Find of the
// whole untrimmed text.
std::optional<QString>
LanguageTagOf(QStringView text, const LanguageRegistry& registry = LanguageRegistry::instance());

// Whether both texts give a tag and the two tags are equal (case-sensitively).
bool SameLanguage(QStringView a, QStringView b,
                  const LanguageRegistry& registry = LanguageRegistry::instance());

} // namespace quillery
