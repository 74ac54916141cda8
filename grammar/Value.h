#pragma once

#include <cstdint>
#include <limits>
#include <new>
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

    static constexpr std::int32_t IntNull = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int64_t Int64Null = std::numeric_limits<std::int64_t>::min();
    static constexpr double DoubleNull = -1e308;

    Value() = default;
    Value(std::int32_t v) : kind_(Kind::Int) { number_.i = v; }
    Value(std::int64_t v) : kind_(Kind::Int64) { number_.l = v; }
    Value(double v) : kind_(Kind::Double) { number_.d = v; }
    Value(std::string v) : kind_(Kind::String) { new (&text_.s) std::string(std::move(v)); }
    Value(std::string_view v) : kind_(Kind::String) { new (&text_.s) std::string(v); }
    Value(const char* v) : kind_(Kind::String) { new (&text_.s) std::string(v); }

    // Only a string value has a string to copy, move or destroy, so passing
    // numbers around (every action argument is a copy) costs a few words.
    Value(const Value& other) : kind_(other.kind_), number_(other.number_)
    {
        if (other.IsString())
            new (&text_.s) std::string(other.text_.s);
    }
    Value(Value&& other) noexcept : kind_(other.kind_), number_(other.number_)
    {
        if (other.IsString())
            new (&text_.s) std::string(std::move(other.text_.s));
    }
    Value& operator=(const Value& other)
    {
        if (this != &other)
            Assign(other, other.text_.s);
        return *this;
    }
    Value& operator=(Value&& other) noexcept
    {
        if (this != &other)
            Assign(other, std::move(other.text_.s));
        return *this;
    }
    ~Value()
    {
        if (IsString())
            text_.s.~basic_string();
    }

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
    std::int32_t GetInt() const { return IsInt() ? number_.i : IntNull; }
    std::int64_t GetInt64() const { return IsInt64() ? number_.l : Int64Null; }
    double GetDouble() const { return IsDouble() ? number_.d : DoubleNull; }
    const std::string& GetString() const { return IsString() ? text_.s : NoText(); }

    // Same kind: by value. Numbers of different kinds: numerically.
    // Anything else: equal only when both are null.
    friend bool operator==(const Value& a, const Value& b);

    // The text shown in rows, the grid and the log (see Value.cpp).
    std::string ToString() const;

private:
    static const std::string& NoText();

    void DropText()
    {
        if (IsString())
            text_.s.~basic_string();
        kind_ = Kind::Void;
    }

    // Becomes a copy of `other`, taking its text from `text` (a copy or a move).
    // A string over a string assigns in place and keeps the allocated memory.
    template <class S>
    void Assign(const Value& other, S&& text)
    {
        if (other.IsString() && IsString()) {
            text_.s = std::forward<S>(text);
        } else {
            DropText();
            if (other.IsString())
                new (&text_.s) std::string(std::forward<S>(text));
        }
        kind_ = other.kind_;
        number_ = other.number_;
    }

    // A plain tagged layout rather than std::variant: g++ 12 reports false
    // "maybe uninitialized" warnings when variants holding strings are moved.
    // `text_.s` is alive exactly while the kind is String.
    Kind kind_ = Kind::Void;
    union {
        std::int32_t i;
        std::int64_t l;
        double d;
    } number_{};
    union Text {
        Text() {}
        ~Text() {}
        std::string s;
    } text_;
};

using ValueList = std::vector<Value>;

// The display form of a double: at most 15 significant digits, no trailing zeros,
// fixed notation unless the number is very small or has over 15 integer digits.
std::string FormatDouble(double v);

}  // namespace baudrill
