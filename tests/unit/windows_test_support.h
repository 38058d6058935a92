#pragma once
// Helpers for the tests that only Windows itself can pass: whether the program runs under
// Wine, and links, which Wine cannot make.
#include <windows.h>

#include <string>

namespace windows_test {

// Whether this program runs under Wine: its ntdll alone exports wine_get_version. A test
// that only Windows can pass does what Wine can, then skips there, naming what Wine lacks.
inline bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Makes link a symbolic link to the file target (relative to link's folder, or absolute).
// Without Developer Mode, only an elevated process may; Windows before 10 (1703) refuses
// the flag that asks for that mode, so the plain call follows.
inline bool MakeFileLink(const std::wstring& link, const std::wstring& target) {
  constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  return CreateSymbolicLinkW(link.c_str(), target.c_str(), kUnprivileged) ||
         CreateSymbolicLinkW(link.c_str(), target.c_str(), 0);
}

// Whether the name itself, not the file it may lead to, is a link.
inline bool IsLink(const std::wstring& name) {
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace windows_test
