#include "app/window_settings.h"

#include <windows.h>

#include "app/settings_validation.h"
#include "record/stone.h"

WindowSettings* gWindowSettings = nullptr;

namespace {

const char kSettingsKey[] = "Software\\Orvenda\\Tavune";

// Owns an open registry key; closes it on every way out.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }
  LONG Close() {
    if (!key_) return ERROR_SUCCESS;
    LONG status = RegCloseKey(key_);
    key_ = nullptr;
    return status;
  }

 private:
  HKEY key_ = nullptr;
};

// Replaces field with the stored value only when it is a 4-byte REG_DWORD.
void ReadDword(HKEY key, const char* name, std::int32_t* field) {
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value) {
    *field = static_cast<std::int32_t>(value);
  }
}

// Any stored value but 0 turns an option on; a value of another type is none.
void ReadOption(HKEY key, const char* name, OptionalSetting* option) {
  std::int32_t value = -1;
  ReadDword(key, name, &value);
  if (value != -1) option->Choose(value != 0);
}

void WriteDword(HKEY key, const char* name, std::int32_t field) {
  DWORD value = static_cast<DWORD>(field);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

WindowSettings::WindowSettings() {
  gWindowSettings = this;
  Load();
}

WindowSettings::~WindowSettings() {
  Save();
  if (gWindowSettings == this) gWindowSettings = nullptr;
}

void WindowSettings::Load() {
  StoredSettings stored{0, 0, ID_VIEW_MIDDLE};
  RegistryKey key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKey, key.Receive()) == ERROR_SUCCESS) {
    ReadDword(key.Get(), "WindowLeft", &stored.left);
    ReadDword(key.Get(), "WindowTop", &stored.top);
    ReadDword(key.Get(), "WindowSize", &stored.viewSize);
    ReadOption(key.Get(), "InfoPane", &infoPane);
    ReadOption(key.Get(), "LastMoveMark", &lastMoveMark);
    ReadOption(key.Get(), "MainLineOnly", &mainLineOnly);
    key.Close();
  }
  ValidateSettings(stored, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  left = stored.left;
  top = stored.top;
  viewSize = stored.viewSize;
}

long WindowSettings::Save() {
  RegistryKey key;
  LONG status = RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, key.Receive());
  if (status != ERROR_SUCCESS) return status;
  WriteDword(key.Get(), "WindowLeft", left);
  WriteDword(key.Get(), "WindowTop", top);
  WriteDword(key.Get(), "WindowSize", viewSize);
  if (infoPane.stored) WriteDword(key.Get(), "InfoPane", infoPane.on ? 1 : 0);
  if (lastMoveMark.stored) WriteDword(key.Get(), "LastMoveMark", lastMoveMark.on ? 1 : 0);
  if (mainLineOnly.stored) WriteDword(key.Get(), "MainLineOnly", mainLineOnly.on ? 1 : 0);
  return key.Close();
}
