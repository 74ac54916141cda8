#include "monitor/protocols/ProtoFileFormat.h"

#include "monitor/protocols/XmlReader.h"
#include "monitor/protocols/XmlWriter.h"

namespace baudrill {

std::optional<std::vector<ArticleRecord>> ReadProtoText(std::string_view text)
{
    const std::optional<XmlElement> root = ReadXml(text);
    if (!root)
        return std::nullopt;
    std::vector<ArticleRecord> records;
    for (const XmlElement& child : root->children)
        if (child.tag == ArticleRecord::Tag)
            records.push_back(ArticleRecord::FromXml(child));
    return records;
}

std::string ProtoText(const std::vector<ArticleRecord>& records)
{
    XmlElement root;
    root.tag = ProtoRootTag;
    for (const ArticleRecord& record : records)
        root.children.push_back(record.ToXml());
    return WriteXml(root);
}

}  // namespace baudrill
