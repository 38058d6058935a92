#pragma once
#include <cstddef>
#include <cstdint>

#include "record/stone.h"

// x * 100 + y: the key of the capture rule's point sets.
using PointCode = int;

// The largest PointCode, that of point (18, 18).
constexpr PointCode kLargestPointCode = (kBoardSize - 1) * 100 + (kBoardSize - 1);

// An ordered set of PointCodes (0 to kLargestPointCode), one bit per code: the same
// answers as a sorted set of integers, with no allocation and no tree to rebalance.
class PointCodeSet {
 public:
  // Walks the codes held, in ascending order.
  class Iterator {
   public:
    // The code it stands on.
    PointCode operator*() const { return code_; }
    // On to the next larger code held, or to end().
    Iterator& operator++() {
      code_ = set_->NextFrom(code_ + 1);
      return *this;
    }
    // True when the two stand on different codes.
    bool operator!=(const Iterator& other) const { return code_ != other.code_; }

   private:
    friend class PointCodeSet;
    Iterator(const PointCodeSet* set, PointCode code) : set_(set), code_(code) {}
    const PointCodeSet* set_;
    PointCode code_;
  };

  // True when the set holds no code.
  bool Empty() const { return count_ == 0; }
  // True when code (0 to kLargestPointCode) is in the set.
  bool Contains(PointCode code) const { return (words_[WordOf(code)] & BitOf(code)) != 0; }
  // Adds code (0 to kLargestPointCode); adding a code already held changes nothing.
  void Insert(PointCode code) {
    std::uint64_t& word = words_[WordOf(code)];
    if ((word & BitOf(code)) != 0) return;
    word |= BitOf(code);
    ++count_;
    if (WordOf(code) < firstWord_) firstWord_ = WordOf(code);
  }
  // Removes code (0 to kLargestPointCode); removing a code not held changes nothing.
  void Erase(PointCode code) {
    std::uint64_t& word = words_[WordOf(code)];
    if ((word & BitOf(code)) == 0) return;
    word &= ~BitOf(code);
    --count_;
  }
  // The smallest code held; the set must not be empty.
  PointCode Smallest() const {
    while (words_[firstWord_] == 0) ++firstWord_;
    return CodeAt(firstWord_, words_[firstWord_]);
  }
  // Removes every code.
  void Clear() {
    for (std::uint64_t& word : words_) word = 0;
    count_ = 0;
    firstWord_ = kWordCount;
  }

  // The smallest code held, or end() when the set is empty.
  Iterator begin() const { return Iterator(this, Empty() ? kEnd : Smallest()); }
  // One past the largest code.
  Iterator end() const { return Iterator(this, kEnd); }

 private:
  static constexpr std::size_t kWordCount = kLargestPointCode / 64 + 1;
  static constexpr PointCode kEnd = kLargestPointCode + 1;

  static std::size_t WordOf(PointCode code) { return static_cast<std::size_t>(code) / 64; }
  static std::uint64_t BitOf(PointCode code) { return std::uint64_t{1} << (code % 64); }
  static int LowestBit(std::uint64_t word) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctzll(word);
#else
    int bit = 0;
    for (; (word & 1) == 0; word >>= 1) ++bit;
    return bit;
#endif
  }
  // The code of the lowest bit of word, which stands at index in words_ and is not 0.
  static PointCode CodeAt(std::size_t index, std::uint64_t word) {
    return static_cast<PointCode>(index * 64) + LowestBit(word);
  }

  // The smallest code held that is from or above, or kEnd.
  PointCode NextFrom(PointCode from) const {
    if (from >= kEnd) return kEnd;
    std::size_t index = WordOf(from);
    std::uint64_t word = words_[index] & (~std::uint64_t{0} << (from % 64));
    while (word == 0) {
      if (++index == kWordCount) return kEnd;
      word = words_[index];
    }
    return CodeAt(index, word);
  }

  std::uint64_t words_[kWordCount] = {};
  int count_ = 0;
  // No word below this one holds a bit: the scan for the smallest code starts here.
  // Raising it while looking changes no answer, hence mutable.
  mutable std::size_t firstWord_ = kWordCount;
};
