#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

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
