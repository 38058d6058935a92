#pragma once
#include <windows.h>

#include "app/version_block.h"

// The texts of the program's own version resource, read once at start-up.
class VersionInfo {
 public:
  // Keeps the module; becomes gVersionInfo. The texts are empty until Load.
  explicit VersionInfo(HINSTANCE instance);
  ~VersionInfo();

  // Reads the version resource into the entries and the three Shift-JIS texts. A block
  // without all eight entries, or a text too long for its buffer, leaves texts empty.
  void Load();

  // ProductName, ProductVersion and LegalCopyright in code page 932.
  const char* ProductName() const { return productName_; }
  const char* ProductVersion() const { return productVersion_; }
  const char* LegalCopyright() const { return legalCopyright_; }

 private:
  HINSTANCE instance_;
  VersionEntry entries_[kVersionEntryCount] = {};
  char productName_[100] = {};
  char productVersion_[100] = {};
  char legalCopyright_[100] = {};
};

// The VersionInfo of this run; set by its constructor, cleared by its destructor.
extern VersionInfo* gVersionInfo;
