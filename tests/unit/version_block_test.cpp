#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/version_block.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutWord(Bytes& out, std::size_t at, std::size_t word) {
  out[at] = static_cast<unsigned char>(word & 0xff);
  out[at + 1] = static_cast<unsigned char>((word >> 8) & 0xff);
}

void AppendText(Bytes& out, const std::u16string& text) {
  for (char16_t unit : text) {
    out.push_back(static_cast<unsigned char>(unit & 0xff));
    out.push_back(static_cast<unsigned char>(unit >> 8));
  }
  out.push_back(0);
  out.push_back(0);
}

void PadToFour(Bytes& out) {
  while (out.size() % 4) out.push_back(0);
}

// One node as a resource compiler lays it out: length, value length, type, the key and
// its terminator, padding, the value, padding, then the children.
Bytes Node(const std::u16string& key, const Bytes& value, std::size_t valueLength, int type,
           const std::vector<Bytes>& children = {}) {
  Bytes out(6, 0);
  AppendText(out, key);
  PadToFour(out);
  out.insert(out.end(), value.begin(), value.end());
  for (const Bytes& child : children) {
    PadToFour(out);
    out.insert(out.end(), child.begin(), child.end());
  }
  PutWord(out, 0, out.size());
  PutWord(out, 2, valueLength);
  PutWord(out, 4, static_cast<std::size_t>(type));
  return out;
}

Bytes StringEntry(const std::u16string& key, const std::u16string& value) {
  Bytes text;
  AppendText(text, value);
  return Node(key, text, value.size() + 1, 1);
}

Bytes FixedInfo() {
  Bytes info(52, 0);
  const std::uint32_t words[] = {0xFEEF04BD, 0x00010000, 0, 0, 0x00010000, 0x00000004,
                                 0x17,       0,          4, 1, 0,          0,          0};
  for (std::size_t i = 0; i < 13; ++i) {
    for (int b = 0; b < 4; ++b) info[4 * i + b] = static_cast<unsigned char>(words[i] >> (8 * b));
  }
  return info;
}

using Entries = std::vector<std::pair<std::u16string, std::u16string>>;

const Entries kProgramEntries = {
    {u"CompanyName", u"Orvenda"},
    {u"FileDescription", u"囲碁の棋譜を並べて編集するプログラム"},
    {u"FileVersion", u"0, 0, 0, 0"},
    {u"InternalName", u"Tavune"},
    {u"LegalCopyright", u"Copyright (C) 2026 Orvenda"},
    {u"OriginalFilename", u"tavune.exe"},
    {u"ProductName", u"Tavune"},
    {u"ProductVersion", u"1, 0, 0, 4"},
};

Bytes VarFileInfo() {
  Bytes translation = {0x11, 0x04, 0xb0, 0x04};
  return Node(u"VarFileInfo", {}, 0, 1, {Node(u"Translation", translation, 4, 0)});
}

Bytes StringFileInfo(const Entries& entries) {
  std::vector<Bytes> strings;
  for (const auto& entry : entries) strings.push_back(StringEntry(entry.first, entry.second));
  return Node(u"StringFileInfo", {}, 0, 1, {Node(u"041104b0", {}, 0, 1, strings)});
}

Bytes VersionBlock(const Entries& entries = kProgramEntries) {
  return Node(u"VS_VERSION_INFO", FixedInfo(), 52, 0, {StringFileInfo(entries), VarFileInfo()});
}

std::u16string Text(const char16_t* units) { return std::u16string(units); }

// Reads from a heap copy of exactly size bytes, so that a sanitizer sees any overrun.
int Read(const Bytes& block, std::size_t size, VersionEntry (&entries)[kVersionEntryCount]) {
  Bytes exact(block.begin(), block.begin() + static_cast<long>(size));
  return ReadVersionEntries(exact.data(), exact.size(), entries);
}

TEST(VersionBlock, ReadsTheEightEntriesInResourceOrder) {
  Bytes block = VersionBlock();
  VersionEntry entries[kVersionEntryCount];
  ASSERT_EQ(8, Read(block, block.size(), entries));
  for (int i = 0; i < kVersionEntryCount; ++i) {
    EXPECT_EQ(kProgramEntries[i].first, Text(entries[i].key)) << i;
    EXPECT_EQ(kProgramEntries[i].second, Text(entries[i].value)) << i;
  }
}

TEST(VersionBlock, EveryTruncationStaysInsideAndKeepsOnlyWholeEntries) {
  Bytes block = VersionBlock();
  for (std::size_t size = 0; size < block.size(); ++size) {
    VersionEntry entries[kVersionEntryCount];
    int found = Read(block, size, entries);
    ASSERT_LE(found, kVersionEntryCount) << size;
    for (int i = 0; i < kVersionEntryCount; ++i) {
      if (i < found) {
        EXPECT_EQ(kProgramEntries[i].second, Text(entries[i].value)) << size;
      } else {
        EXPECT_EQ(u"", Text(entries[i].key)) << size << " " << i;
        EXPECT_EQ(u"", Text(entries[i].value)) << size << " " << i;
      }
    }
  }
}

TEST(VersionBlock, FewerEntriesLeaveTheRestEmpty) {
  Entries six(kProgramEntries.begin(), kProgramEntries.begin() + 6);
  Bytes block = VersionBlock(six);
  VersionEntry entries[kVersionEntryCount];
  EXPECT_EQ(6, Read(block, block.size(), entries));
  EXPECT_EQ(u"tavune.exe", Text(entries[5].value));
  EXPECT_EQ(u"", Text(entries[6].key));
  EXPECT_EQ(u"", Text(entries[7].value));
}

TEST(VersionBlock, AnotherFirstChildGivesNothing) {
  Bytes block = Node(u"VS_VERSION_INFO", FixedInfo(), 52, 0,
                     {VarFileInfo(), StringFileInfo(kProgramEntries)});
  VersionEntry entries[kVersionEntryCount];
  EXPECT_EQ(0, Read(block, block.size(), entries));
  EXPECT_EQ(u"", Text(entries[0].key));
}

TEST(VersionBlock, AnotherRootKeyGivesNothing) {
  Bytes block = Node(u"VS_VERSION", FixedInfo(), 52, 0, {StringFileInfo(kProgramEntries)});
  VersionEntry entries[kVersionEntryCount];
  EXPECT_EQ(0, Read(block, block.size(), entries));
}

TEST(VersionBlock, AValueLongerThanTheBufferEndsTheWalkThere) {
  Entries entries = kProgramEntries;
  entries[4].second = std::u16string(100, u'x');
  Bytes block = VersionBlock(entries);
  VersionEntry read[kVersionEntryCount];
  EXPECT_EQ(4, Read(block, block.size(), read));
  EXPECT_EQ(u"", Text(read[4].key));
  EXPECT_EQ(u"", Text(read[4].value));

  entries[4].second = std::u16string(99, u'x');
  block = VersionBlock(entries);
  EXPECT_EQ(8, Read(block, block.size(), read));
  EXPECT_EQ(entries[4].second, Text(read[4].value));
}

TEST(VersionBlock, AKeyLongerThanTheBufferEndsTheWalkThere) {
  Entries entries = kProgramEntries;
  entries[1].first = std::u16string(120, u'K');
  Bytes block = VersionBlock(entries);
  VersionEntry read[kVersionEntryCount];
  EXPECT_EQ(1, Read(block, block.size(), read));
}

TEST(VersionBlock, DeclaredLengthsBeyondTheBlockAreNotTrusted) {
  Bytes block = VersionBlock();
  PutWord(block, 0, 0xffff);
  // Cut inside the last entry's value; the root still claims far more.
  std::size_t cut = block.size() - VarFileInfo().size() - 6;
  VersionEntry entries[kVersionEntryCount];
  EXPECT_EQ(7, Read(block, cut, entries));
}

TEST(VersionBlock, ADeclaredLengthShorterThanTheTableHidesTheEntriesPastIt) {
  Bytes block = VersionBlock();
  PutWord(block, 0, 120);  // the root ends inside the string table's key
  VersionEntry entries[kVersionEntryCount];
  EXPECT_EQ(0, Read(block, block.size(), entries));
}

TEST(VersionBlock, NoBlockGivesNothing) {
  VersionEntry entries[kVersionEntryCount];
  EXPECT_EQ(0, ReadVersionEntries(nullptr, 0, entries));
  unsigned char odd[3] = {1, 2, 3};
  EXPECT_EQ(0, ReadVersionEntries(odd, sizeof odd, entries));
}

}  // namespace
