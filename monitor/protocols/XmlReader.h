#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "monitor/protocols/XmlElement.h"

namespace baudrill {

// Reads an XML document (UTF-8, an optional byte-order mark) and gives its first element, the
// root, with every element below it. The declaration, processing instructions, comments, a
// document type and text content are passed over. Attribute values have the five predefined
// entities and numeric character references decoded; an unknown entity stays as written, and a
// line end written as CR LF reads as LF. Gives nothing when the text is not well-formed: no
// element, a tag left open or closed by another name, an attribute without a quoted value, or
// anything but markup after the root, or elements nested deeper than MaxXmlDepth.
std::optional<XmlElement> ReadXml(std::string_view text);

inline constexpr std::size_t MaxXmlDepth = 256;

// The text of a character reference's code point in UTF-8; empty for a value that is no
// Unicode character (above 0x10FFFF or a surrogate).
std::string Utf8Encode(unsigned long codePoint);

}  // namespace baudrill
