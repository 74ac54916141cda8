#pragma once

#include <string>

#include "grammar/Uuid.h"

class QComboBox;

namespace baudrill {

// The protocol lists of the PROTO pane ("proto", "actionProto") hold one entry per protocol:
// the protocol's name as the entry's text, its Uuid as the entry's key, kept as the Uuid's text
// in the entry's item data (Qt::UserRole).
void AddProtoListEntry(QComboBox& list, const Uuid& key, const std::string& name);
// The key of the entry at `index`; the null Uuid when there is no such entry.
Uuid ProtoListKey(const QComboBox& list, int index);
// The index of the first entry with that key, or -1 (always -1 for the null Uuid).
int FindProtoListKey(const QComboBox& list, const Uuid& key);

}  // namespace baudrill
