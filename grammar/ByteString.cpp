#include "grammar/ByteString.h"

#include <algorithm>

namespace baudrill {

std::string Mid(std::string_view s, std::ptrdiff_t pos, std::ptrdiff_t count)
{
    std::ptrdiff_t size = static_cast<std::ptrdiff_t>(s.size());
    pos = std::clamp<std::ptrdiff_t>(pos, 0, size);
    count = std::clamp<std::ptrdiff_t>(count, 0, size - pos);
    return std::string(s.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(count)));
}

std::string Mid(std::string_view s, std::ptrdiff_t pos) { return Mid(s, pos, static_cast<std::ptrdiff_t>(s.size())); }

std::string Left(std::string_view s, std::ptrdiff_t count) { return Mid(s, 0, count); }

std::string Right(std::string_view s, std::ptrdiff_t count)
{
    std::ptrdiff_t size = static_cast<std::ptrdiff_t>(s.size());
    count = std::clamp<std::ptrdiff_t>(count, 0, size);
    return Mid(s, size - count, count);
}

}  // namespace baudrill
