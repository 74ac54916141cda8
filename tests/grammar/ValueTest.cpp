#include "grammar/Value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace baudrill {
namespace {

TEST(ValueTest, KindTestsAreExact)
{
    EXPECT_TRUE(Value(std::int32_t{5}).IsInt());
    EXPECT_FALSE(Value(std::int64_t{5}).IsInt());
    EXPECT_TRUE(Value(std::int64_t{5}).IsInt64());
    EXPECT_FALSE(Value(5.0).IsInt());
    EXPECT_TRUE(Value("x").IsString());
    EXPECT_TRUE(Value().IsVoid());
    // A reader of the wrong kind gives that kind's null, never garbage.
    EXPECT_EQ(Value(5.0).GetInt(), Value::IntNull);
    EXPECT_EQ(Value(7).GetString(), "");
}

TEST(ValueTest, NullValuesAreOrdinaryMembers)
{
    Value intNull(Value::IntNull);
    EXPECT_TRUE(intNull.IsInt());
    EXPECT_TRUE(intNull.IsNull());
    EXPECT_EQ(intNull.GetInt(), -2147483647 - 1);
    EXPECT_TRUE(Value(Value::DoubleNull).IsNull());
    EXPECT_TRUE(Value(Value::DoubleNull).IsDouble());
    EXPECT_FALSE(Value(0).IsNull());
    EXPECT_TRUE(Value("").IsNull());
}

struct EqualityCase {
    const char* name;
    Value a, b;
    bool equal;
};

TEST(ValueTest, EqualityFollowsKindsNumbersAndNulls)
{
    const EqualityCase cases[] = {
        {"same int", Value(3), Value(3), true},
        {"different int", Value(3), Value(4), false},
        {"int and int64 numerically", Value(3), Value(std::int64_t{3}), true},
        {"int and double numerically", Value(3), Value(3.0), true},
        {"int and fractional double", Value(3), Value(3.5), false},
        {"int64 beyond double precision", Value(std::int64_t{9007199254740993}), Value(9007199254740992.0), false},
        {"string by bytes", Value("ab"), Value("ab"), true},
        {"string and number", Value("3"), Value(3), false},
        {"void and void", Value(), Value(), true},
        {"void and empty string, both null", Value(), Value(""), true},
        {"int null and void", Value(Value::IntNull), Value(), true},
        {"int null and double null are different numbers", Value(Value::IntNull), Value(Value::DoubleNull), false},
        {"void and zero", Value(), Value(0), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.name;
        EXPECT_EQ(c.b == c.a, c.equal) << c.name << " (swapped)";
    }
}

struct TextCase {
    Value value;
    const char* text;
};

TEST(ValueTest, CopiesAndAssignmentsCarryExactlyTheirSourcesKindAndString)
{
    Value text("abc");
    Value copy = text;
    EXPECT_EQ(copy, Value("abc"));
    Value moved = std::move(copy);
    EXPECT_EQ(moved.GetString(), "abc");

    // A number assigned over a string leaves no string behind.
    moved = Value(5);
    EXPECT_TRUE(moved.IsInt());
    EXPECT_EQ(moved.GetString(), "");
    Value number(2.5);
    text = number;
    EXPECT_EQ(text.GetString(), "");
    EXPECT_EQ(text, Value(2.5));
    text = Value("again");
    EXPECT_EQ(text.GetString(), "again");
    text = text;  // self-assignment keeps the value
    EXPECT_EQ(text.GetString(), "again");

    ValueList list{Value("x"), Value(1), Value(std::int64_t{7})};
    list.insert(list.begin(), Value("first"));  // moves every member
    EXPECT_EQ(list, (ValueList{Value("first"), Value("x"), Value(1), Value(std::int64_t{7})}));
    EXPECT_EQ(list[2].GetString(), "");
}

TEST(ValueTest, TextForm)
{
    const TextCase cases[] = {
        {Value(-42), "-42"},
        {Value(std::int64_t{-9000000000}), "-9000000000"},
        {Value(Value::IntNull), ""},
        {Value(Value::Int64Null), ""},
        {Value(Value::DoubleNull), ""},
        {Value(), ""},
        {Value(1.5), "1.5"},
        {Value(3.0), "3"},
        {Value(0.1), "0.1"},
        {Value(-0.25), "-0.25"},
        {Value(1.0 / 3.0), "0.333333333333333"},  // 15 significant digits
        {Value(123456789012345.0), "123456789012345"},
        {Value(1234567890123456.0), "1.23456789012346e15"},
        {Value(1e20), "1e20"},
        {Value(0.000001), "0.000001"},
        {Value(1e-7), "1e-7"},
        {Value(-2.5e-9), "-2.5e-9"},
        {Value(9.9999999999999999e-8), "1e-7"},  // rounding decides the notation
        {Value(std::nan("")), "nan"},
        {Value(std::numeric_limits<double>::infinity()), "inf"},
        {Value(-std::numeric_limits<double>::infinity()), "-inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value.ToString(), c.text);
    std::string bytes("a\0b", 3);
    EXPECT_EQ(Value(bytes).ToString(), bytes);  // a string is its bytes, NUL included
}

}  // namespace
}  // namespace baudrill
