#include "app/version_info.h"

VersionInfo* gVersionInfo = nullptr;

namespace {

constexpr int kLegalCopyrightEntry = 4;
constexpr int kProductNameEntry = 6;
constexpr int kProductVersionEntry = 7;
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

// The walk ends every value within its 100 units.
void CopyText(const char16_t (&value)[100], wchar_t (&out)[100]) {
  for (int i = 0; i < 100; ++i) out[i] = static_cast<wchar_t>(value[i]);
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
  CopyText(entries_[kLegalCopyrightEntry].value, legalCopyright_);
  CopyText(entries_[kProductNameEntry].value, productName_);
  CopyText(entries_[kProductVersionEntry].value, productVersion_);
}
