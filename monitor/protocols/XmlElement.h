#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace baudrill {

// One element of a small XML tree: its tag, its attributes in document order and its child
// elements. Text content is not kept; the protocol files hold everything in attributes.
struct XmlElement {
    std::string tag;
    std::vector<std::pair<std::string, std::string>> attributes;  // decoded values, UTF-8
    std::vector<XmlElement> children;

    // The value of the first attribute of that name; the empty text when there is none.
    const std::string& Attribute(std::string_view name) const
    {
        static const std::string none;
        for (const auto& attribute : attributes)
            if (attribute.first == name)
                return attribute.second;
        return none;
    }
    void AddAttribute(std::string name, std::string value)
    {
        attributes.emplace_back(std::move(name), std::move(value));
    }
};

}  // namespace baudrill
