#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace quillery {

// One open key of a registry-shaped settings store. Value names are compared without regard to
// case, as the registry compares them. A value of another kind than the one asked for reads as
// absent: a number read as a string, or a string read as a number, gives nothing.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;

    // True when the key holds a value of that name, of any kind.
    virtual bool hasValue(const QString& name) const = 0;
    // A string value (REG_SZ), or nothing when missing or of another kind.
    virtual std::optional<QString> readString(const QString& name) const = 0;
    // A 32-bit number value (REG_DWORD), or nothing when missing or of another kind.
    virtual std::optional<quint32> readNumber(const QString& name) const = 0;
    // Create or replace a value; false when the store refused.
    virtual bool writeString(const QString& name, const QString& value) = 0;
    virtual bool writeNumber(const QString& name, quint32 value) = 0;
};

// A tree of keys holding named values, as the registry of the current user keeps them. Key paths
// are relative to the user's root and use backslashes ("Software\Tollvern\Quillery\Settings");
// they too are compared without regard to case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    enum class Open { Existing, CreateIfMissing };

    // Opens a key; nothing when it does not exist (Existing) or cannot be created.
    virtual std::unique_ptr<SettingsKey> openKey(const QString& path, Open mode) = 0;
    // Deletes a key with all its values and subkeys. Deleting a missing key succeeds.
    virtual bool deleteKey(const QString& path) = 0;
    // Makes what was written durable. The registry needs nothing; a file store writes its file
    // here and throws FileError when it cannot.
    virtual void flush() {}
};

// The key under which the application keeps everything.
inline QString quilleryKeyPath()
{
    return QStringLiteral("Software\\Tollvern\\Quillery");
}

// The store the program uses for the current user: the registry on Windows, the file at
// userSettingsFilePath() everywhere else. Throws when that file exists but cannot be read.
std::unique_ptr<SettingsStore> openUserSettingsStore();

// Where the settings file of the current user lives on platforms without a registry:
// "Tollvern/Quillery.reg" in the generic per-user configuration folder.
QString userSettingsFilePath();

} // namespace quillery
