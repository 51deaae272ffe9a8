#include "app/settings_store_win32.h"

#include <cstring>

#include "app/registry_key_win32.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/reachable_window.h"
#include "settings/settings_store.h"

namespace skelvane {

namespace {

static_assert(sizeof(WINDOWPLACEMENT) == kPlacementSize);

ReadStored ReaderOf(const RegistryKey& key) {
    return [&key](const char16_t* name) { return key.Read(AsWide(name)); };
}

std::optional<StoredValue> ReadInstallDir() {
    const RegistryKey game = RegistryKey::Open(HKEY_LOCAL_MACHINE, AsWide(kGameKeyPath), KEY_READ);
    return game.Read(AsWide(kInstallDirValue));
}

ScreenRect ScreenRectOf(const RECT& rect) {
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

// A stored place may be on a monitor that has gone, or larger than the
// screen with its caption beyond an edge: the window then goes onto the
// nearest monitor's work area, as small as it needs to be, so that it can
// always be taken hold of.
void KeepCaptionReachable(HWND window) {
    RECT bounds{};
    POINT clientOrigin{0, 0};
    GetWindowRect(window, &bounds);
    ClientToScreen(window, &clientOrigin);
    const LONG captionHeight = clientOrigin.y - bounds.top;
    RECT caption{bounds.left, bounds.top, bounds.right, clientOrigin.y};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&caption, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const ScreenRect placed =
        ReachableWindowRect(ScreenRectOf(bounds), captionHeight, ScreenRectOf(monitor.rcWork));
    if (!(placed == ScreenRectOf(bounds))) {
        SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// At start the window is still hidden, so only the stored normal position
// and size take effect: the window opens normally even if it was closed
// maximized or minimized.
void ApplyPlacement(HWND window, const StoredPlacement& stored) {
    WINDOWPLACEMENT placement;
    std::memcpy(&placement, stored.bytes.data(), kPlacementSize);
    if (!IsWindowVisible(window)) {
        placement.showCmd = SW_HIDE;
    }
    SetWindowPlacement(window, &placement);
    KeepCaptionReachable(window);
}

std::optional<StoredPlacement> ReadPlacement(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) {
        return std::nullopt;
    }
    StoredPlacement stored;
    std::memcpy(stored.bytes.data(), &placement, kPlacementSize);
    return stored;
}

void Tick(HWND mainWindow, int checkBox, std::int32_t on) {
    CheckDlgButton(mainWindow, checkBox, on != 0 ? BST_CHECKED : BST_UNCHECKED);
}

bool IsTicked(HWND mainWindow, int checkBox) {
    return IsDlgButtonChecked(mainWindow, checkBox) == BST_CHECKED;
}

}  // namespace

StoredTexts LoadSettings(HWND mainWindow, Settings& settings) {
    const RegistryKey key =
        RegistryKey::Open(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_READ);
    const ReadStored reader = ReaderOf(key);
    const LoadedStore loaded =
        LoadStoredSettings(key.IsOpen() ? &reader : nullptr, ReadInstallDir, settings);
    Tick(mainWindow, IDC_SHOWEMPTY, settings.showEmpty);
    Tick(mainWindow, IDC_SHOWFULL, settings.showFull);
    if (loaded.placement) {
        ApplyPlacement(mainWindow, *loaded.placement);
    }
    return loaded.texts;
}

// The key is also read: whether the buddy list stored there is still in the
// 8-bit format decides how it is replaced, and whether the watch switch
// stored there can be read whether it may be written over.
void SaveSettings(HWND mainWindow, const Settings& settings, const StoredTexts& storedTexts) {
    const RegistryKey key =
        RegistryKey::Create(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_READ | KEY_WRITE);
    if (!key.IsOpen()) {
        return;
    }
    SaveInputs inputs;
    inputs.showEmptyChecked = IsTicked(mainWindow, IDC_SHOWEMPTY);
    inputs.showFullChecked = IsTicked(mainWindow, IDC_SHOWFULL);
    inputs.placement = ReadPlacement(mainWindow);
    inputs.storedFormatVersion = StoredFormatVersion(key.Read(AsWide(kVersionValue)));
    inputs.storedTexts = storedTexts;
    inputs.storedWatch = key.Read(AsWide(kWatchForBuddiesValue));
    SaveStoredSettings(settings, inputs, [&key](const char16_t* name, const StoredValue* value) {
        return value != nullptr ? key.Write(AsWide(name), *value) : key.Delete(AsWide(name));
    });
}

}  // namespace skelvane
