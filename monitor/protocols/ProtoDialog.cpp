// Placeholder: the protocol editor is being written.
#include "monitor/protocols/ProtoDialog.h"

namespace baudrill {

ProtoDialog* theProtoDialog = nullptr;

ProtoDialog::ProtoDialog(Notify* notify) : notify(notify) {}
ProtoDialog::~ProtoDialog() = default;
void ProtoDialog::OnSelect() {}
void ProtoDialog::Validate() {}
void ProtoDialog::OnNameEdit() {}
void ProtoDialog::OnCommentEdit() {}
void ProtoDialog::AddProtocol() {}
void ProtoDialog::OnDelete() {}
void ProtoDialog::Close() { hide(); }

}  // namespace baudrill
