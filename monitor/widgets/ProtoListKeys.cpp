#include "monitor/widgets/ProtoListKeys.h"

#include <QComboBox>

namespace baudrill {

void AddProtoListEntry(QComboBox& list, const Uuid& key, const std::string& name)
{
    list.addItem(QString::fromStdString(name), QString::fromStdString(key.ToString()));
}

Uuid ProtoListKey(const QComboBox& list, int index)
{
    if (index < 0 || index >= list.count())
        return Uuid();
    return Uuid::FromString(list.itemData(index).toString().toStdString());
}

int FindProtoListKey(const QComboBox& list, const Uuid& key)
{
    if (key.IsNull())
        return -1;
    for (int i = 0; i < list.count(); ++i)
        if (ProtoListKey(list, i) == key)
            return i;
    return -1;
}

}  // namespace baudrill
