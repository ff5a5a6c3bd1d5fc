#include "catalogue/Catalogue.h"

#include "catalogue/BookFile.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace quillery {

QStringList listBookNames(const QString& directory)
{
    QStringList names;
    const QStringView extension(BookExtension);
    QDirIterator it(directory,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString fileName = it.fileName();
        if (fileName.endsWith(extension, Qt::CaseInsensitive))
            names.append(fileName.first(fileName.size() - extension.size()));
    }
    sortBookNames(names);
    return names;
}

void sortBookNames(QStringList& names)
{
    // The C locale has no collation of its own (and would sort by code unit, case first), so it
    // sorts as English does.
    const QLocale locale;
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    struct Keyed {
        QCollatorSortKey key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.push_back({collator.sortKey(name), std::move(name)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int c = a.key.compare(b.key);
        if (c != 0)
            return c < 0;
        const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
        if (folded != 0)
            return folded < 0;
        return a.name < b.name;
    });
    names.clear();
    for (Keyed& k : keyed)
        names.append(std::move(k.name));
}

QString withTrailingSeparator(const QString& directory)
{
    if (directory.isEmpty() || directory.endsWith(u'/') || directory.endsWith(QDir::separator()))
        return directory;
    return directory + QDir::separator();
}

QString bookFilePath(const QString& directory, const QString& name)
{
    return withTrailingSeparator(directory) + name + QStringView(BookExtension);
}

QString bookCountText(qsizetype count)
{
    return QStringLiteral("%1 book(s) in this catalogue.").arg(count);
}

int upgradeCatalogue(const QString& directory, const QStringList& names)
{
    int count = 0;
    for (const QString& name : names) {
        const QString path = bookFilePath(directory, name);
        if (IsVersion10File(path) && UpgradeBookFile(path))
            ++count;
    }
    return count;
}

bool IsValidFileNameChar(QChar c)
{
    switch (c.unicode()) {
    case 0:
    case u'"':
    case u'*':
    case u'/':
    case u':':
    case u'<':
    case u'>':
    case u'?':
    case u'\\':
    case u'|':
        return false;
    default:
        return true;
    }
}

bool IsValidFileName(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.cbegin(), name.cend(), IsValidFileNameChar);
}

QString withBookExtension(const QString& entered)
{
    const qsizetype period = entered.lastIndexOf(u'.');
    const qsizetype delimiter = std::max(entered.lastIndexOf(u'\\'), entered.lastIndexOf(u':'));
    if (period >= 0 && period > delimiter)
        return entered.first(period) + QStringView(BookExtension);
    return entered + QStringView(BookExtension);
}

NameCheck checkProposal(const QString& directory, const QString& proposal)
{
    if (QFileInfo::exists(withTrailingSeparator(directory) + proposal))
        return NameCheck::Exists;
    if (proposal.size() <= 5 || !IsValidFileName(proposal))
        return NameCheck::Invalid;
    return NameCheck::Accepted;
}

QString firstNewBookProposal(const QString& directory)
{
    const QString base = QStringLiteral("Book");
    if (!QFileInfo::exists(bookFilePath(directory, base)))
        return base;
    for (int i = 1;; ++i) {
        const QString name = base + QString::number(i);
        if (!QFileInfo::exists(bookFilePath(directory, name)))
            return name;
    }
}

bool sameFilePath(const QString& a, const QString& b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

bool VersionTestCache::isVersion10File(const QString& path)
{
    const QFileInfo info(path);
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    const auto it = m_entries.constFind(path);
    if (it != m_entries.cend() && it->size == size && it->modified == modified && info.exists())
        return it->version10;
    const bool result = IsVersion10File(path);
    m_entries.insert(path, {size, modified, result});
    return result;
}

bool VersionTestCache::catalogueHasVersion10Files(const QString& directory,
                                                  const QStringList& names)
{
    for (const QString& name : names) {
        if (isVersion10File(bookFilePath(directory, name)))
            return true;
    }
    return false;
}

QString booksUpgradedText(int count)
{
    return QStringLiteral("%1 books upgraded.").arg(count);
}

} // namespace quillery
