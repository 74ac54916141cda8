// Placeholder: the send panes' member code of SerPort is being written.
#include "monitor/port/SerPort.h"

namespace baudrill {

void SerPort::UpdateSend(bool) {}
void SerPort::OnAsciiEntry() {}
void SerPort::OnHexEntry() {}
void SerPort::OnProtoEntry() {}
void SerPort::OnAsciiOptions() {}
void SerPort::OnProtoOptions() {}
void SerPort::OnAnswerOption() {}
void SerPort::OnAnswerDelay() {}
void SerPort::OnProtoSelect() {}
void SerPort::OnAnswerProtoSelect() {}
void SerPort::OnRepeat() {}
void SerPort::OnRepeatPeriod() {}
void SerPort::AttachFile(int) {}
void SerPort::OnSendButton() {}
void SerPort::SendNow() {}
void SerPort::ProtocolsChanged() {}
SendSlot& SerPort::CurrentSlot()
{
    std::vector<SendSlot>& slots = mode == ModeProto ? protoSlots : mode == ModeHex ? hexSlots : asciiSlots;
    return slots[static_cast<std::size_t>(slot)];
}
SendSlot& SerPort::CurrentProtoSlot() { return protoSlots[static_cast<std::size_t>(slot)]; }

}  // namespace baudrill
