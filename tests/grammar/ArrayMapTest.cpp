#include "grammar/ArrayMap.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace baudrill {
namespace {

TEST(ArrayMapTest, DuplicateKeysFindTheFirstInInsertionOrder)
{
    ArrayMap<std::string, int> map;
    map.Add("a", std::make_unique<int>(1));
    map.Add("b", std::make_unique<int>(2));
    map.Add("a", std::make_unique<int>(3));
    EXPECT_EQ(map.Find(std::string("a")), 0);
    EXPECT_EQ(*map.FindPtr(std::string("a")), 1);
    EXPECT_EQ(map.Find(std::string("z")), -1);
    map.Remove(0);
    EXPECT_EQ(*map.FindPtr(std::string("a")), 3);  // the second one becomes visible
}

TEST(ArrayMapTest, ValuesKeepTheirAddressAndGetAddAppendsOnlyWhenMissing)
{
    ArrayMap<std::string, int> map;
    int& first = map.GetAdd("x");
    first = 7;
    for (int i = 0; i < 100; ++i)
        map.Add("k" + std::to_string(i));
    EXPECT_EQ(&map.GetAdd("x"), &first);
    EXPECT_EQ(map.GetCount(), 101);
}

TEST(ArrayMapTest, KeysChangeAndTrimDeletesTheNewest)
{
    ArrayMap<int, std::string> map;
    for (int i = 0; i < 5; ++i)
        map.Add(i, std::make_unique<std::string>(std::to_string(i)));
    map.SetKey(4, 40);
    EXPECT_EQ(map.Find(40), 4);
    EXPECT_EQ(map.Find(4), -1);
    map.Trim(2);
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_EQ(*map.At(1), "1");
    map.Trim(10);  // beyond the count: nothing happens
    EXPECT_EQ(map.GetCount(), 2);
    std::unique_ptr<std::string> taken = map.Detach(0);
    EXPECT_EQ(*taken, "0");
    EXPECT_EQ(map.GetCount(), 1);
}

TEST(ArrayMapTest, AnIndexOutsideTheMapIsRefusedWithoutChange)
{
    ArrayMap<std::string, int> map;
    map.Add("a", std::make_unique<int>(1));
    map.Add("b", std::make_unique<int>(2));
    for (int i : {-1, 2, 3, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(map.At(i), nullptr);
        EXPECT_EQ(map.GetKey(i), "");
        EXPECT_FALSE(map.SetKey(i, "z"));
        EXPECT_FALSE(map.Remove(i));
        EXPECT_EQ(map.Detach(i), nullptr);
        ASSERT_EQ(map.GetCount(), 2);
        EXPECT_EQ(map.GetKey(0), "a");
        EXPECT_EQ(map.GetKey(1), "b");
        EXPECT_EQ(*map.At(1), 2);
    }
    EXPECT_EQ(map.FindPtr(std::string("z")), nullptr);
}

}  // namespace
}  // namespace baudrill
