#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// The bytes a parse run reads: a view of the caller's buffer, which must
// outlive the run. A temporary std::string is refused at compile time, since
// the view would dangle at once: `ctx.input = row.substr(k)` does not compile
// for a std::string row; write `std::string_view(row).substr(k)`.
class InputView : public std::string_view {
public:
    constexpr InputView() = default;
    constexpr InputView(std::string_view bytes) : std::string_view(bytes) {}
    constexpr InputView(const char* bytes) : std::string_view(bytes) {}
    InputView(const std::string& bytes) : std::string_view(bytes) {}
    InputView(std::string&&) = delete;
};

}  // namespace baudrill
