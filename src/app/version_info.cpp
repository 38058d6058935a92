#include "app/version_info.h"

VersionInfo* gVersionInfo = nullptr;

namespace {

constexpr int kLegalCopyrightEntry = 4;
constexpr int kProductNameEntry = 6;
constexpr int kProductVersionEntry = 7;
// The version texts are Japanese whatever the system's ANSI code page is.
constexpr UINT kShiftJis = 932;

// Converts a UTF-16 value to Shift-JIS in out; empty when it does not fit.
void ToShiftJis(const char16_t* value, char (&out)[100]) {
  int written = WideCharToMultiByte(kShiftJis, 0, reinterpret_cast<const wchar_t*>(value), -1,
                                    out, sizeof out, nullptr, nullptr);
  if (written == 0) out[0] = '\0';
}

}  // namespace

VersionInfo::VersionInfo(HINSTANCE instance) : instance_(instance) { gVersionInfo = this; }

VersionInfo::~VersionInfo() {
  if (gVersionInfo == this) gVersionInfo = nullptr;
}

void VersionInfo::Load() {
  HRSRC found = FindResourceA(instance_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;
  const void* block = loaded ? LockResource(loaded) : nullptr;
  std::size_t size = found ? SizeofResource(instance_, found) : 0;
  int count = ReadVersionEntries(static_cast<const unsigned char*>(block), size, entries_);
  if (count < kVersionEntryCount) return;  // another shape: the texts stay empty
  ToShiftJis(entries_[kLegalCopyrightEntry].value, legalCopyright_);
  ToShiftJis(entries_[kProductNameEntry].value, productName_);
  ToShiftJis(entries_[kProductVersionEntry].value, productVersion_);
}
