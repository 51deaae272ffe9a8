#pragma once

#include <windows.h>

#include <optional>

#include "settings/stored_value.h"

namespace skelvane {

// An open registry key, closed when its owner goes.
class RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    // Closed when the key does not exist or may not be opened so.
    static RegistryKey Open(HKEY root, const wchar_t* path, REGSAM access);
    // Creates the key (non-volatile) when it does not exist.
    static RegistryKey Create(HKEY root, const wchar_t* path, REGSAM access);

    bool IsOpen() const { return key_ != nullptr; }

    // The value as stored, or nothing when it is missing or cannot be read.
    // One larger than kMaxStoredValueBytes comes with its type and no bytes:
    // it is there, and kept there, but nothing of it is used.
    std::optional<StoredValue> Read(const wchar_t* name) const;
    bool Write(const wchar_t* name, const StoredValue& value) const;
    // True when the value is gone, also when there was none.
    bool Delete(const wchar_t* name) const;

  private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    HKEY key_ = nullptr;
};

// Far beyond any setting, yet small enough that no stored value can make the
// program take an absurd amount of memory.
inline constexpr DWORD kMaxStoredValueBytes = 16 * 1024 * 1024;

}  // namespace skelvane
