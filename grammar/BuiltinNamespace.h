#pragma once

#include <string_view>

namespace baudrill {

// The namespace of the engine's built-in rules; user protocols live in it too.
inline constexpr const char* BuiltinNamespace = "BNF";

// Built-in rules are the articles whose names begin with the namespace's name (case matters).
constexpr bool IsBuiltinRuleName(std::string_view name) { return name.starts_with(BuiltinNamespace); }

}  // namespace baudrill
