#include "app/registry_key_win32.h"

#include <utility>

namespace skelvane {

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        RegistryKey old(std::exchange(key_, std::exchange(other.key_, nullptr)));
    }
    return *this;
}

RegistryKey::~RegistryKey() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
    }
}

RegistryKey RegistryKey::Open(HKEY root, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    return RegistryKey(RegOpenKeyExW(root, path, 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}

RegistryKey RegistryKey::Create(HKEY root, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                        nullptr, &key, nullptr);
    return RegistryKey(result == ERROR_SUCCESS ? key : nullptr);
}

// The size is asked first; a value that grows between the two calls is asked
// for again.
std::optional<StoredValue> RegistryKey::Read(const wchar_t* name) const {
    if (key_ == nullptr) {
        return std::nullopt;
    }
    DWORD size = 0;
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value;
    for (;;) {
        if (size > kMaxStoredValueBytes) {
            return StoredValue{static_cast<StoredType>(type), {}};
        }
        value.bytes.resize(size);
        const LONG result = RegQueryValueExW(key_, name, nullptr, &type, value.bytes.data(), &size);
        if (result == ERROR_SUCCESS) {
            value.bytes.resize(size);
            value.type = static_cast<StoredType>(type);
            return value;
        }
        if (result != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
}

bool RegistryKey::Write(const wchar_t* name, const StoredValue& value) const {
    return key_ != nullptr &&
           RegSetValueExW(key_, name, 0, static_cast<DWORD>(value.type), value.bytes.data(),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

bool RegistryKey::Delete(const wchar_t* name) const {
    if (key_ == nullptr) {
        return false;
    }
    const LONG result = RegDeleteValueW(key_, name);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

static_assert(static_cast<DWORD>(StoredType::kText) == REG_SZ);
static_assert(static_cast<DWORD>(StoredType::kExpandableText) == REG_EXPAND_SZ);
static_assert(static_cast<DWORD>(StoredType::kBinary) == REG_BINARY);
static_assert(static_cast<DWORD>(StoredType::kNumber) == REG_DWORD);
static_assert(static_cast<DWORD>(StoredType::kTextLines) == REG_MULTI_SZ);

}  // namespace skelvane
