#pragma once

// The registry of the current user through the Win32 registry functions. Plain C++ on purpose:
// no Qt type crosses this header, so the backend compiles with nothing but a Windows compiler
// (the test suite checks it with a MinGW-w64 cross compiler on other systems). The implementation
// exists only on Windows; settings/SettingsStore.cpp adapts it to the SettingsStore interface.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quillery::win32 {

// One open key below HKEY_CURRENT_USER. Strings are REG_SZ, numbers REG_DWORD; a value of another
// type reads as absent.
class RegistryKey {
public:
    // Opens `path` ("Software\Tollvern\Quillery\Settings") for reading and writing, creating it
    // (with any missing parents) when `create` is true. Nothing when it does not exist or cannot
    // be opened or created.
    static std::unique_ptr<RegistryKey> open(const std::wstring& path, bool create);

    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool hasValue(const std::wstring& name) const;
    std::optional<std::wstring> readString(const std::wstring& name) const;
    std::optional<std::uint32_t> readNumber(const std::wstring& name) const;
    bool writeString(const std::wstring& name, const std::wstring& value);
    bool writeNumber(const std::wstring& name, std::uint32_t value);

private:
    explicit RegistryKey(void* handle) : m_handle(handle) {}
    void* m_handle; // the HKEY, kept opaque so that this header needs no <windows.h>
};

// Deletes a key below HKEY_CURRENT_USER with all its values and subkeys. A missing key counts as
// deleted.
bool deleteRegistryKey(const std::wstring& path);

} // namespace quillery::win32
