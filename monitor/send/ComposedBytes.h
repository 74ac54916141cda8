#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace baudrill {

// The bytes to send for a composed frame: each "\XX" escape that an action recorded at an
// offset of `output` (ComposeState::escapes, ascending) becomes the byte it stands for; every
// other byte, a backslash included, goes out unchanged.
std::string ResolveComposedEscapes(std::string_view output, const std::vector<std::size_t>& escapes);

}  // namespace baudrill
