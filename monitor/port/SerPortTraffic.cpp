// Placeholder: traffic rows, decoding and answers are being written.
#include "monitor/port/SerPort.h"

namespace baudrill {

void SerPort::OnReceive(std::string, uint32_t, bool) {}
void SerPort::OnSent(std::string, uint32_t) {}
void SerPort::FlushLog() {}
void SerPort::ScheduleAnswer(std::vector<Value>, Uuid, int) {}
void SerPort::SendAnswer(std::vector<Value>, Uuid) {}

}  // namespace baudrill
