#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace quillery {

enum class AuthorKind {
    PersonFreeForm,    // "Mary Smith"
    PersonFamilyGiven, // "Doe, John"
    Organisation,      // "IBM *"
};

struct AuthorEntry {
    AuthorKind kind = AuthorKind::PersonFreeForm;
    QString name; // the whole item; for an organisation without its asterisks
    QString familyName;
    QString givenName;

    friend bool operator==(const AuthorEntry&, const AuthorEntry&) = default;
};

// Splits an author field at every ";" (a trailing ";" starts no further item) and classifies each
// trimmed item: an asterisk anywhere makes an organisation, else a comma a family and given name
// (split at the first comma), else a free-form person. Every text parses.
std::vector<AuthorEntry> ParseAuthorList(QStringView text);

// The authors as schema.org Person and Organization items with the given property, separated by
// "; ". Names are escaped when escape is on; the markup never is.
QString AuthorListMarkup(const QString& property, QStringView text, bool escape);

} // namespace quillery
