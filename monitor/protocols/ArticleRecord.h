#pragma once

#include <string>

#include "grammar/Uuid.h"
#include "monitor/protocols/XmlElement.h"

namespace baudrill {

// One protocol as it passes through a protocol file: an element "article" with the attributes
// "name", "desc" (the rule text), "comment" and "uid", in this order. Texts are UTF-8.
struct ArticleRecord {
    std::string name;
    std::string desc;
    std::string comment;
    Uuid uid;

    static constexpr const char* Tag = "article";

    // Reads the record from an "article" element: a missing attribute is the empty text, and a
    // "uid" with fewer than 32 hexadecimal digits is the null Uuid.
    static ArticleRecord FromXml(const XmlElement& element);
    XmlElement ToXml() const;

    friend bool operator==(const ArticleRecord&, const ArticleRecord&) = default;
};

}  // namespace baudrill
