#pragma once

#include "settings/SettingsStore.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <map>

namespace quillery {

// A settings store kept in one text file in the export format of the Windows Registry Editor
// (".reg", "Windows Registry Editor Version 5.00"), so that the key a user exports on Windows works
// here unchanged and the file written here imports there:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Tollvern\Quillery\Settings]
//   "DashChar"="—"
//   "DashSpaced"=dword:00000000
//
// The file models the registry exactly: keys without values, keys and values the program does not
// know, and values of other kinds (hex:, hex(2): and the like, kept as written) survive a load and
// a save. Keys under other roots than HKEY_CURRENT_USER are kept but never opened.
//
// Reading accepts UTF-16 with a byte-order mark (as the Registry Editor writes it), UTF-8 with or
// without one, and the older "REGEDIT4" header. Writing gives UTF-8 with a byte-order mark and
// CR LF line ends through the atomic file writer. Strings the quoted form cannot carry (control
// characters such as line breaks or NUL, and lone surrogates, which UTF-8 cannot encode) are
// written in the editor's hex(1) form, which keeps every UTF-16 code unit.
//
// Keys are found through an index by case-folded path, so loading, looking up and saving a file
// of many keys takes time in proportion to its size (times a logarithm), not to its square.
//
// The store reads its file once, when it is made; every change stays in memory until flush().
// Key handles must not outlive the store.
class RegFileStore final : public SettingsStore {
public:
    // A store for the file at `path`: read when it exists, empty when it does not. Throws
    // FileError when the file exists but cannot be read, and Error when it is not a registry file.
    explicit RegFileStore(QString path);

    // Replaces the contents by the parsed bytes; `path()` names the file in error messages.
    void loadBytes(const QByteArray& bytes);
    // The file's bytes as flush() writes them.
    QByteArray toBytes() const;

    const QString& path() const { return m_path; }

    std::unique_ptr<SettingsKey> openKey(const QString& path, Open mode) override;
    bool deleteKey(const QString& path) override;
    // Writes the file (creating its folder when needed). Throws FileError when it cannot.
    void flush() override;

    enum class Kind { String, Number, Other };
    struct Value {
        QString name; // empty for the key's default value ("@")
        Kind kind = Kind::String;
        QString text; // the string, or for Other the data exactly as written after "="
        quint32 number = 0;
    };
    struct Key {
        QString path; // full path, starting with the root ("HKEY_CURRENT_USER\...")
        QList<Value> values;
        // Positions in `values` by case-folded name, kept once the key holds enough values for a
        // scan to cost more than a look-up; empty before that.
        QHash<QString, qsizetype> valueIndex;
    };

private:
    friend class RegFileKey;

    Key* findKey(const QString& fullPath);
    const Key* findKey(const QString& fullPath) const;
    bool keyExists(const QString& fullPath) const;
    Key& addKey(const QString& fullPath);

    QString m_path;
    // The keys the file lists, by case-folded path; their ancestors exist implicitly. The order
    // of the map puts every key below a path right after that path's prefix, so "does anything
    // lie below" is one look-up. The file's order of keys is made when it is written.
    std::map<QString, Key> m_keys;
};

} // namespace quillery
