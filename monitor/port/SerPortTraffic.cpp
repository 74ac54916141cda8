// Traffic rows: received bursts and sent blocks, their decoding, the log file and answers.
#include "monitor/port/SerPort.h"

#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/GrammarRegistry.h"
#include "monitor/log/Logger.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/send/ProtoEncoder.h"
#include "monitor/traffic/RowDecoder.h"
#include "monitor/traffic/TrafficText.h"

#include <QObject>
#include <QTimer>

namespace baudrill {

namespace {

LogLine NewRow(int direction, uint32_t tick)
{
    LogLine row;
    row.direction = direction;
    row.timeText = RowTimeText(tick, StartTick);
    row.height = 0;
    return row;
}

// The newest received row, passing over the sent rows after it; -1 when there is none.
int LastReceivedRow(const std::vector<LogLine>& rows)
{
    for (std::size_t i = rows.size(); i-- > 0;)
        if (rows[i].direction != RowSent)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

void SerPort::OnReceive(std::string bytes, uint32_t tick, bool newRow)
{
    const uint32_t now = port->GetClock().Tick();
    int index = newRow ? -1 : LastReceivedRow(rows);
    if (index < 0) {
        // A new burst; or bytes of a burst whose row is gone (the log was cleared): they start
        // a row of their own rather than being lost.
        FlushLog();
        rows.push_back(NewRow(RowReceived, tick));
        index = static_cast<int>(rows.size()) - 1;
    }
    LogLine& row = rows[static_cast<std::size_t>(index)];
    row.data += bytes;
    row.height = 0;

    const SendSlot& protoSlot = CurrentProtoSlot();
    const BNFarticle* protocol = mode == ModeProto && protoSlot.isParse ? FindProtocol(protoSlot.protoId) : nullptr;
    if (protocol) {
        RowDecoding decoding = receivedDecoder.Decode(*protocol, row, protoSlot.isIgnoreStarting);
        if (decoding.decoded) {
            row.protoName = protoSlot.protoName;
            row.protoValues = ValuesText(decoding.values, protoSlot.isDisplayHex);
            if (protoSlot.isActionAnswer && !closing) {
                const int used = static_cast<int>(port->GetClock().Tick() - now);
                ScheduleAnswer(std::move(decoding.values), protoSlot.answerId,
                               std::max(0, protoSlot.actionDelay - used));
            }
        }
    }
    if (active && !closing)
        RefreshGrid(false);
}

void SerPort::OnSent(std::string bytes, uint32_t tick)
{
    if (bytes.empty())
        return;
    rows.push_back(NewRow(RowSent, tick));
    LogLine& row = rows.back();
    row.data = std::move(bytes);
    if (mode == ModeProto) {
        const SendSlot& protoSlot = CurrentProtoSlot();
        if (const BNFarticle* protocol = FindProtocol(protoSlot.protoId)) {
            RowDecoding decoding = DecodeRow(*protocol, row, false);
            if (decoding.decoded) {
                row.protoName = protoSlot.protoName;
                row.protoValues = ValuesText(decoding.values, protoSlot.isDisplayHex);
            }
        }
    }
    // Whether the send repeats is the started send's, not that of a slot chosen since.
    if (!repeating)
        sending = false;
    FlushLog();
    if (active && !closing)
        RefreshGrid(false);
}

void SerPort::FlushLog()
{
    if (!theLogger)
        return;
    std::size_t first = rows.size();
    while (first > 0 && !rows[first - 1].logged)
        --first;
    for (std::size_t i = first; i < rows.size(); ++i) {
        LogLine& row = rows[i];
        row.logged = true;
        theLogger->Post(&Logger::Write, deviceName, row.timeText, row.direction != RowSent, row.data,
                        LogProtocolText(row.protoName, row.protoValues));
    }
}

void SerPort::ScheduleAnswer(std::vector<Value> values, Uuid answerId, int delayMs)
{
    if (closing)
        return;
    if (delayMs <= 0) {
        SendAnswer(std::move(values), answerId);
        return;
    }
    // Owned by `callbacks`: the answer is dropped when the port goes before the delay ends.
    QTimer::singleShot(delayMs, callbacks.get(), [this, values = std::move(values), answerId]() mutable {
        SendAnswer(std::move(values), answerId);
    });
}

void SerPort::SendAnswer(std::vector<Value> values, Uuid answerId)
{
    if (closing)
        return;
    const BNFarticle* protocol = FindProtocol(answerId);
    if (!protocol)
        return;
    std::string bytes;
    if (!ComposeFrame(*protocol, std::move(values), bytes))
        return;
    output = std::move(bytes);
    sending = false;
    SendNow();
}

}  // namespace baudrill
