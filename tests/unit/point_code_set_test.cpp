#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "record/point_code_set.h"

namespace {

std::vector<PointCode> Listed(const PointCodeSet& set) {
  std::vector<PointCode> codes;
  for (const PointCode code : set) codes.push_back(code);
  return codes;
}

TEST(PointCodeSet, HoldsEachCodeOnceAndListsThemInAscendingOrder) {
  PointCodeSet set;
  EXPECT_TRUE(set.Empty());
  EXPECT_TRUE(Listed(set).empty());
  // Both ends of the range and both sides of the 64-code steps the bits are kept in.
  for (const PointCode code : {1818, 64, 0, 63, 1817, 64, 127, 128}) set.Insert(code);
  EXPECT_EQ(Listed(set), (std::vector<PointCode>{0, 63, 64, 127, 128, 1817, 1818}));
  EXPECT_EQ(set.Smallest(), 0);
  EXPECT_TRUE(set.Contains(1818));
  EXPECT_FALSE(set.Contains(1816));

  set.Erase(0);
  set.Erase(5);  // not held: nothing changes
  EXPECT_EQ(set.Smallest(), 63);
  set.Clear();
  EXPECT_TRUE(set.Empty());
  EXPECT_FALSE(set.Contains(1818));
  EXPECT_TRUE(Listed(set).empty());
}

TEST(PointCodeSet, SmallestSeesACodeInsertedBelowTheLastSmallest) {
  // The flood fill takes the smallest code, then inserts its left and upper neighbours,
  // whose codes are lower.
  PointCodeSet set;
  set.Insert(1818);
  EXPECT_EQ(set.Smallest(), 1818);
  set.Insert(1718);
  set.Insert(5);
  EXPECT_EQ(set.Smallest(), 5);
  set.Erase(5);
  EXPECT_EQ(set.Smallest(), 1718);
  set.Clear();
  set.Insert(900);
  EXPECT_EQ(set.Smallest(), 900) << "after Clear";
}

TEST(PointCodeSet, AnswersAsAnOrderedSetOfIntegersDoesUnderRandomUse) {
  std::mt19937 random(1819);
  PointCodeSet set;
  std::set<PointCode> expected;
  for (int step = 0; step < 200000; ++step) {
    // Codes from a narrow window now and then, so that the set empties and refills.
    const bool narrow = step / 5000 % 2 == 0;
    const PointCode code = narrow ? 600 + static_cast<PointCode>(random() % 200)
                                  : static_cast<PointCode>(random() % (kLargestPointCode + 1));
    const int choice = static_cast<int>(random() % 100);
    if (choice < 45) {
      set.Insert(code);
      expected.insert(code);
    } else if (choice < 75) {
      set.Erase(code);
      expected.erase(code);
    } else if (choice < 95) {
      ASSERT_EQ(set.Empty(), expected.empty()) << step;
      if (!expected.empty()) {
        ASSERT_EQ(set.Smallest(), *expected.begin()) << step;
        set.Erase(set.Smallest());
        expected.erase(expected.begin());
      }
    } else if (choice < 99) {
      ASSERT_EQ(set.Contains(code), expected.count(code) == 1) << step;
    } else {
      ASSERT_EQ(Listed(set), std::vector<PointCode>(expected.begin(), expected.end())) << step;
      if (random() % 4 == 0) {
        set.Clear();
        expected.clear();
      }
    }
  }
}

}  // namespace
