#include "monitor/protocols/ArticleRecord.h"

namespace baudrill {

ArticleRecord ArticleRecord::FromXml(const XmlElement& element)
{
    ArticleRecord record;
    record.name = element.Attribute("name");
    record.desc = element.Attribute("desc");
    record.comment = element.Attribute("comment");
    record.uid = Uuid::FromString(element.Attribute("uid"));
    return record;
}

XmlElement ArticleRecord::ToXml() const
{
    XmlElement element;
    element.tag = Tag;
    element.AddAttribute("name", name);
    element.AddAttribute("desc", desc);
    element.AddAttribute("comment", comment);
    element.AddAttribute("uid", uid.ToString());
    return element;
}

}  // namespace baudrill
