#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/settings/SettingsStream.h"

namespace baudrill::test {

// Bytes written as numbers, for byte-exact expectations.
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

inline std::string Int32Bytes(int value)
{
    const auto v = static_cast<unsigned>(value);
    return Bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
                  static_cast<int>(v >> 24)});
}

// The 8 bytes of a double, least significant first.
inline std::string DoubleBytes(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::string out;
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return out;
}

// The window placement and the grid header in the framework's layout, written from its
// description and never through our own serialiser.

// A rectangle by its edges: right = left + width, bottom = top + height.
struct Edges {
    int left;
    int top;
    int right;
    int bottom;
};

// 34 bytes: packed version (value + 1), normal rectangle, current rectangle, state flags.
inline std::string PlacementFixture(int version, Edges normal, Edges current, int flags)
{
    std::string out = Bytes({version + 1});
    for (const Edges& e : {normal, current})
        out += Int32Bytes(e.left) + Int32Bytes(e.top) + Int32Bytes(e.right) + Int32Bytes(e.bottom);
    return out + Bytes({flags});
}

// 2 + 13 per column: packed version 4, packed count (fewer than 254 columns here), then per
// column its index, its ratio and the visible flag 01.
inline std::string HeaderFixture(const std::vector<double>& ratios)
{
    std::string out = Bytes({4 + 1, static_cast<int>(ratios.size()) + 1});
    for (std::size_t i = 0; i < ratios.size(); ++i)
        out += Int32Bytes(static_cast<int>(i)) + DoubleBytes(ratios[i]) + Bytes({1});
    return out;
}

// A whole file around the content: start magic, content, end magic, length.
inline std::string FramedFile(std::string_view content)
{
    std::string file = "data";
    file.append(content);
    file.append("end", 3);
    file.push_back('\0');
    return file + Int32Bytes(static_cast<int>(file.size()));
}

inline SettingsStream LoadingContent(std::string_view content)
{
    return SettingsStream::ForLoading(FramedFile(content));
}

// The content bytes that storing the item writes.
template <class T>
std::string StoredBytes(T item)
{
    SettingsStream stream;
    stream % item;
    return std::string(stream.Content());
}

}  // namespace baudrill::test
