#include "settings/SettingsStore.h"

#include "settings/RegFileStore.h"

#include <QStandardPaths>

#ifdef _WIN32
#include "settings/Win32RegistryStore.h"
#endif

namespace quillery {

QString userSettingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tollvern/Quillery.reg");
}

#ifdef _WIN32

namespace {

// The registry of the current user behind the store interface.
class Win32Key final : public SettingsKey {
public:
    explicit Win32Key(std::unique_ptr<win32::RegistryKey> key) : m_key(std::move(key)) {}

    bool hasValue(const QString& name) const override
    {
        return m_key->hasValue(name.toStdWString());
    }
    std::optional<QString> readString(const QString& name) const override
    {
        const auto text = m_key->readString(name.toStdWString());
        if (!text)
            return std::nullopt;
        return QString::fromStdWString(*text);
    }
    std::optional<quint32> readNumber(const QString& name) const override
    {
        return m_key->readNumber(name.toStdWString());
    }
    bool writeString(const QString& name, const QString& value) override
    {
        return m_key->writeString(name.toStdWString(), value.toStdWString());
    }
    bool writeNumber(const QString& name, quint32 value) override
    {
        return m_key->writeNumber(name.toStdWString(), value);
    }

private:
    std::unique_ptr<win32::RegistryKey> m_key;
};

class Win32Store final : public SettingsStore {
public:
    std::unique_ptr<SettingsKey> openKey(const QString& path, Open mode) override
    {
        auto key = win32::RegistryKey::open(path.toStdWString(), mode == Open::CreateIfMissing);
        if (!key)
            return nullptr;
        return std::make_unique<Win32Key>(std::move(key));
    }
    bool deleteKey(const QString& path) override
    {
        return win32::deleteRegistryKey(path.toStdWString());
    }
};

} // namespace

std::unique_ptr<SettingsStore> openUserSettingsStore()
{
    return std::make_unique<Win32Store>();
}

#else

std::unique_ptr<SettingsStore> openUserSettingsStore()
{
    return std::make_unique<RegFileStore>(userSettingsFilePath());
}

#endif

} // namespace quillery
