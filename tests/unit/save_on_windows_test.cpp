// What a save keeps and refuses on Windows itself: the identity of the replaced file, its
// streams, and links. Wine lacks each of these, so there every test does what Wine can
// and then skips, naming what Wine lacks (tests/windows-only.sh checks that it does).
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "record/game_record.h"
#include "record_test_support.h"
#include "windows_test_support.h"

namespace {

using windows_test::IsLink;
using windows_test::MakeFileLink;
using windows_test::RunsUnderWine;

constexpr char kSaved[] = "(;\r\nB[pd];\r\n)\r\n";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(const std::wstring& name, const std::string& bytes) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
                  wrote == bytes.size();
  CloseHandle(file);
  return ok;
}

std::string ReadAll(const std::wstring& name) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<none>";
  char bytes[256];
  DWORD got = 0;
  ReadFile(file, bytes, sizeof bytes, &got, nullptr);
  CloseHandle(file);
  return std::string(bytes, got);
}

FILETIME CreationTimeOf(const std::wstring& name) {
  FILETIME created{};
  HANDLE file = CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  GetFileTime(file, &created, nullptr, nullptr);
  CloseHandle(file);
  return created;
}

// The built-in Guests group: no temporary folder grants it anything by itself, so an
// entry for it is one the test made.
std::vector<BYTE> GuestsSid() {
  std::vector<BYTE> sid(SECURITY_MAX_SID_SIZE);
  DWORD size = static_cast<DWORD>(sid.size());
  CreateWellKnownSid(WinBuiltinGuestsSid, nullptr, sid.data(), &size);
  return sid;
}

// Adds an entry to the file's access list that lets Guests read it; 0 when done.
DWORD LetGuestsRead(const std::wstring& name) {
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD error = GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                      nullptr, nullptr, &list, nullptr, &descriptor);
  if (error != ERROR_SUCCESS) return error;
  std::vector<BYTE> guests = GuestsSid();
  EXPLICIT_ACCESS_W entry{};
  entry.grfAccessPermissions = FILE_GENERIC_READ;
  entry.grfAccessMode = GRANT_ACCESS;
  entry.grfInheritance = NO_INHERITANCE;
  entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  entry.Trustee.ptstrName = reinterpret_cast<LPWSTR>(guests.data());
  PACL grown = nullptr;
  error = SetEntriesInAclW(1, &entry, list, &grown);
  if (error == ERROR_SUCCESS) {
    error = SetNamedSecurityInfoW(const_cast<LPWSTR>(name.c_str()), SE_FILE_OBJECT,
                                  DACL_SECURITY_INFORMATION, nullptr, nullptr, grown, nullptr);
  }
  LocalFree(grown);
  LocalFree(descriptor);
  return error;
}

bool GuestsMayRead(const std::wstring& name) {
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<BYTE> guests = GuestsSid();
  bool found = false;
  for (DWORD i = 0; list != nullptr && i < list->AceCount && !found; ++i) {
    ACCESS_ALLOWED_ACE* entry = nullptr;
    if (!GetAce(list, i, reinterpret_cast<void**>(&entry))) continue;
    found = entry->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
            EqualSid(&entry->SidStart, guests.data()) &&
            (entry->Mask & FILE_GENERIC_READ) == FILE_GENERIC_READ;
  }
  LocalFree(descriptor);
  return found;
}

class SaveOnWindows : public ::testing::Test {
 protected:
  SaveOnWindows() {
    record.AttachViews(&views);
    record.PutStone(16 * 32, 4 * 32);  // black at 16-四, "pd"
  }

  std::wstring Name(const wchar_t* name) const { return (folder.Root() / name).wstring(); }

  // Saves the record to name; how many failures it reported.
  int FailuresOfSaveTo(const std::wstring& name) {
    views.calls.clear();
    record.WriteSgf(std::filesystem::path(name).u8string().c_str());
    int failures = 0;
    for (const std::string& call : views.calls) failures += call == "save failed";
    return failures;
  }

  record_test::TempFolder folder;
  record_test::RecordingViews views;
  GameRecord record;
};

TEST_F(SaveOnWindows, AReplacedFileKeepsItsCreationTimeAttributesAndAccessList) {
  const std::wstring target = Name(L"kept.sgf");
  ASSERT_TRUE(WriteAll(target, "old"));
  const SYSTEMTIME longAgo{2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME created{};
  ASSERT_TRUE(SystemTimeToFileTime(&longAgo, &created));
  HANDLE file = CreateFileW(target.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_TRUE(SetFileTime(file, &created, nullptr, nullptr));
  CloseHandle(file);
  constexpr DWORD kMarks = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), kMarks));
  const DWORD granted = LetGuestsRead(target);

  EXPECT_EQ(FailuresOfSaveTo(target), 0);
  EXPECT_EQ(ReadAll(target), kSaved);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"kept.sgf"}));
  if (RunsUnderWine()) {
    GTEST_SKIP() << "Wine's ReplaceFileW keeps nothing of the replaced file, and Wine stores "
                    "no creation time";
  }
  ASSERT_EQ(granted, static_cast<DWORD>(ERROR_SUCCESS));
  const FILETIME kept = CreationTimeOf(target);
  EXPECT_EQ(CompareFileTime(&kept, &created), 0) << "the creation time";
  EXPECT_EQ(GetFileAttributesW(target.c_str()) & kMarks, kMarks);
  EXPECT_TRUE(GuestsMayRead(target)) << "the access list lost the added entry";
}

// Windows marks a downloaded file with this stream; a save must not drop the mark.
TEST_F(SaveOnWindows, AReplacedFileKeepsItsZoneIdentifierStream) {
  const std::wstring target = Name(L"downloaded.sgf");
  ASSERT_TRUE(WriteAll(target, "old"));
  const std::string zone = "[ZoneTransfer]\r\nZoneId=3\r\n";
  const bool marked = WriteAll(target + L":Zone.Identifier", zone);

  EXPECT_EQ(FailuresOfSaveTo(target), 0);
  EXPECT_EQ(ReadAll(target), kSaved);
  if (RunsUnderWine()) {
    GTEST_SKIP() << "Wine has no alternate data streams: it made a file named "
                    "downloaded.sgf:Zone.Identifier beside the record";
  }
  ASSERT_TRUE(marked);
  EXPECT_EQ(ReadAll(target + L":Zone.Identifier"), zone);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"downloaded.sgf"}));
}

// NTFS keeps a name that ends in a dot, which Win32 paths drop. A link to "game.sgf." has
// that as its final path, and the final path, opened, is "game.sgf": another file.
TEST_F(SaveOnWindows, ALinkWhoseFinalPathOpensAnotherFileIsRefusedAndBothFilesStay) {
  wchar_t longName[MAX_PATH * 4] = {};
  ASSERT_NE(GetLongPathNameW(folder.Root().wstring().c_str(), longName, MAX_PATH * 4), 0u);
  const std::wstring dotted = std::wstring(L"\\\\?\\") + longName + L"\\game.sgf.";
  // Removing the folder would not reach it, by the same rule.
  struct Removal {
    std::wstring name;
    ~Removal() { DeleteFileW(name.c_str()); }
  } removal{dotted};
  ASSERT_TRUE(WriteAll(Name(L"game.sgf"), "other"));
  const bool made = WriteAll(dotted, "linked");
  const bool linked = made && MakeFileLink(Name(L"link.sgf"), dotted);
  if (RunsUnderWine()) GTEST_SKIP() << "Wine's CreateSymbolicLinkW makes no link";
  ASSERT_TRUE(made);
  ASSERT_TRUE(linked) << "making a link needs Developer Mode or an elevated process";
  ASSERT_EQ(ReadAll(Name(L"link.sgf")), "linked");

  EXPECT_EQ(FailuresOfSaveTo(Name(L"link.sgf")), 1);
  EXPECT_EQ(ReadAll(dotted), "linked");
  EXPECT_EQ(ReadAll(Name(L"game.sgf")), "other");
  EXPECT_TRUE(IsLink(Name(L"link.sgf")));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"game.sgf", "game.sgf.", "link.sgf"}));
}

TEST_F(SaveOnWindows, ADanglingLinkIsRefusedAndStaysALink) {
  const bool linked = MakeFileLink(Name(L"link.sgf"), L"gone.sgf");
  if (RunsUnderWine()) {
    GTEST_SKIP() << "Wine's CreateSymbolicLinkW makes no link, and over a dangling link made "
                    "on the Unix side Wine's MoveFileExW puts the file in the link's place";
  }
  ASSERT_TRUE(linked) << "making a link needs Developer Mode or an elevated process";

  EXPECT_EQ(FailuresOfSaveTo(Name(L"link.sgf")), 1);
  EXPECT_TRUE(IsLink(Name(L"link.sgf")));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>({"link.sgf"}));
}

}  // namespace
#endif
