#pragma once
#include <windows.h>

#include "app/version_block.h"

// The texts of the program's own version resource, read once at start-up.
class VersionInfo {
 public:
  // Keeps the module; becomes gVersionInfo. The texts are empty until Load.
  explicit VersionInfo(HINSTANCE instance);
  ~VersionInfo();

  // Reads the version resource into the entries and the three texts. A block without all
  // eight entries, or a text too long for its buffer, leaves the texts empty.
  void Load();

  // ProductName, ProductVersion and LegalCopyright, in UTF-16 as the block holds them, so
  // that they read the same under every code page.
  const wchar_t* ProductName() const { return productName_; }
  const wchar_t* ProductVersion() const { return productVersion_; }
  const wchar_t* LegalCopyright() const { return legalCopyright_; }

 private:
  HINSTANCE instance_;
  VersionEntry entries_[kVersionEntryCount] = {};
  wchar_t productName_[100] = {};
  wchar_t productVersion_[100] = {};
  wchar_t legalCopyright_[100] = {};
};

// The VersionInfo of this run; set by its constructor, cleared by its destructor.
extern VersionInfo* gVersionInfo;
