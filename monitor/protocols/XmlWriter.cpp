#include "monitor/protocols/XmlWriter.h"

namespace baudrill {

namespace {

void WriteElement(const XmlElement& element, int depth, std::string& out)
{
    out.append(static_cast<std::size_t>(depth), '\t');
    out += '<';
    out += element.tag;
    for (const auto& [name, value] : element.attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        out += EscapeXmlAttribute(value);
        out += '"';
    }
    if (element.children.empty()) {
        out += "/>\n";
        return;
    }
    out += ">\n";
    for (const XmlElement& child : element.children)
        WriteElement(child, depth + 1, out);
    out.append(static_cast<std::size_t>(depth), '\t');
    out += "</";
    out += element.tag;
    out += ">\n";
}

}  // namespace

std::string EscapeXmlAttribute(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "&#";
                out += std::to_string(static_cast<unsigned char>(c));
                out += ';';
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string WriteXml(const XmlElement& root)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    WriteElement(root, 0, out);
    return out;
}

}  // namespace baudrill
