#pragma once

#include <string>
#include <string_view>

#include "monitor/protocols/XmlElement.h"

namespace baudrill {

// The XML document of `root`: a UTF-8 declaration, then the element tree, one element per
// line, children indented by a tab; an element without children is written as an empty tag.
std::string WriteXml(const XmlElement& root);

// An attribute value as it stands between double quotes: "&", "<", ">" and the quote as
// entities, and every control byte below 0x20 (line feed, carriage return and tab included) as
// a character reference, so that a reader gives back exactly these bytes.
std::string EscapeXmlAttribute(std::string_view value);

}  // namespace baudrill
