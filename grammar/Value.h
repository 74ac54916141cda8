#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace baudrill {

// The engine's dynamic value: void, int, int64, double or a byte string.
// Kinds are exact (an int64 is never an int). The null values of the numeric
// kinds are ordinary members: they travel through value lists like any other.
class Value {
public:
    enum class Kind { Void, Int, Int64, Double, String };

    static constexpr std::int32_t kIntNull = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int64_t kInt64Null = std::numeric_limits<std::int64_t>::min();
    static constexpr double kDoubleNull = -1e308;

    Value() = default;
    // Only a string value copies or moves its string: the others keep theirs
    // empty, so passing numbers around (every action argument is a copy) is cheap.
    Value(const Value& other) : kind_(other.kind_), number_(other.number_)
    {
        if (other.IsString())
            string_ = other.string_;
    }
    Value(Value&& other) noexcept : kind_(other.kind_), number_(other.number_)
    {
        if (other.IsString())
            string_ = std::move(other.string_);
    }
    Value& operator=(const Value& other)
    {
        if (this != &other)
            Take(other, other.string_);
        return *this;
    }
    Value& operator=(Value&& other) noexcept
    {
        if (this != &other)
            Take(other, std::move(other.string_));
        return *this;
    }
    ~Value() = default;

    Value(std::int32_t v) : kind_(Kind::Int) { number_.i = v; }
    Value(std::int64_t v) : kind_(Kind::Int64) { number_.l = v; }
    Value(double v) : kind_(Kind::Double) { number_.d = v; }
    Value(std::string v) : kind_(Kind::String), string_(std::move(v)) {}
    Value(std::string_view v) : kind_(Kind::String), string_(v) {}
    Value(const char* v) : kind_(Kind::String), string_(v) {}

    Kind GetKind() const { return kind_; }
    bool IsVoid() const { return GetKind() == Kind::Void; }
    bool IsInt() const { return GetKind() == Kind::Int; }
    bool IsInt64() const { return GetKind() == Kind::Int64; }
    bool IsDouble() const { return GetKind() == Kind::Double; }
    bool IsString() const { return GetKind() == Kind::String; }
    bool IsNumber() const { return IsInt() || IsInt64() || IsDouble(); }

    // Void, the numeric null values and the empty string are null.
    bool IsNull() const;

    // Readers for a known kind; a value of another kind reads as the kind's null
    // (empty for strings), never as undefined behaviour.
    std::int32_t GetInt() const { return IsInt() ? number_.i : kIntNull; }
    std::int64_t GetInt64() const { return IsInt64() ? number_.l : kInt64Null; }
    double GetDouble() const { return IsDouble() ? number_.d : kDoubleNull; }
    // The string of a value of another kind is always empty.
    const std::string& GetString() const { return string_; }

    // Same kind: by value. Numbers of different kinds: numerically.
    // Anything else: equal only when both are null.
    friend bool operator==(const Value& a, const Value& b);

    // The text shown in rows, the grid and the log (see Value.cpp).
    std::string ToString() const;

private:
    template <class S>
    void Take(const Value& other, S&& string)
    {
        kind_ = other.kind_;
        number_ = other.number_;
        if (other.IsString())
            string_ = std::forward<S>(string);
        else
            string_.clear();
    }

    // A plain tagged layout rather than std::variant: g++ 12 reports false
    // "maybe uninitialized" warnings when variants holding strings are moved.
    Kind kind_ = Kind::Void;
    union {
        std::int32_t i;
        std::int64_t l;
        double d;
    } number_{};
    std::string string_;
};

using ValueList = std::vector<Value>;

// The display form of a double: at most 15 significant digits, no trailing zeros,
// fixed notation unless the number is very small or has over 15 integer digits.
std::string FormatDouble(double v);

}  // namespace baudrill
