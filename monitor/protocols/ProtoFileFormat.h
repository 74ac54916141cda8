#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/protocols/ArticleRecord.h"

namespace baudrill {

// The root tag that protocol files are written with. Reading takes any root.
inline constexpr const char* ProtoRootTag = "BAUDRILL";

// The records of a protocol file's text, in document order: every "article" child of the root,
// whatever the root is called; other children are passed over. Nothing when the text is not
// well-formed XML.
std::optional<std::vector<ArticleRecord>> ReadProtoText(std::string_view text);

// The text of a protocol file holding the records, under the root "BAUDRILL".
std::string ProtoText(const std::vector<ArticleRecord>& records);

}  // namespace baudrill
