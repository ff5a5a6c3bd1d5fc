#ifdef _WIN32

#include "settings/Win32RegistryStore.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

namespace quillery::win32 {

namespace {

HKEY hkey(void* handle)
{
    return static_cast<HKEY>(handle);
}

// The type and size of a value, or nothing when it does not exist.
std::optional<std::pair<DWORD, DWORD>> valueInfo(HKEY key, const std::wstring& name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::make_pair(type, size);
}

} // namespace

std::unique_ptr<RegistryKey> RegistryKey::open(const std::wstring& path, bool create)
{
    HKEY key = nullptr;
    LONG status;
    if (create) {
        status =
            RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    } else {
        status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
        if (status == ERROR_ACCESS_DENIED)
            status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    }
    if (status != ERROR_SUCCESS)
        return nullptr;
    return std::unique_ptr<RegistryKey>(new RegistryKey(key));
}

RegistryKey::~RegistryKey()
{
    RegCloseKey(hkey(m_handle));
}

bool RegistryKey::hasValue(const std::wstring& name) const
{
    return valueInfo(hkey(m_handle), name).has_value();
}

std::optional<std::wstring> RegistryKey::readString(const std::wstring& name) const
{
    // The value may change between the size query and the read; try again when it grew.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const auto info = valueInfo(hkey(m_handle), name);
        if (!info || info->first != REG_SZ)
            return std::nullopt;
        std::vector<wchar_t> buffer(info->second / sizeof(wchar_t) + 1, L'\0');
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG status = RegQueryValueExW(hkey(m_handle), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return std::nullopt;
        // The stored data need not end in a NUL, and may hold one before its end.
        std::wstring text(buffer.data(), size / sizeof(wchar_t));
        const auto nul = text.find(L'\0');
        if (nul != std::wstring::npos)
            text.resize(nul);
        return text;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> RegistryKey::readNumber(const std::wstring& name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExW(hkey(m_handle), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool RegistryKey::writeString(const std::wstring& name, const std::wstring& value)
{
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(hkey(m_handle), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
}

bool RegistryKey::writeNumber(const std::wstring& name, std::uint32_t value)
{
    const DWORD data = value;
    return RegSetValueExW(hkey(m_handle), name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool deleteRegistryKey(const std::wstring& path)
{
    const LONG status = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace quillery::win32

#endif // _WIN32
