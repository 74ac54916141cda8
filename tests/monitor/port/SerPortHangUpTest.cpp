// A port whose device goes away, on pseudo-terminals: the peer closes its end (as a USB adapter
// is pulled) while the port reads or while a repeated send runs. The port is opened through a
// symbolic link, so the device can come back at the same path as another pty.

#include "monitor/images/IMG.h"
#include "tests/support/gui/PortHarness.h"
#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iostream>

namespace baudrill::test {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;

// A port on the real device that counts the worker's device calls.
class CountingPort final : public SerialPort {
public:
    int Read(char* buffer, int length) override
    {
        ++calls;
        return SerialPort::Read(buffer, length);
    }
    int Write(const char* data, int length) override
    {
        ++calls;
        return SerialPort::Write(data, length);
    }
    int GetInputLines() override
    {
        ++calls;
        return SerialPort::GetInputLines();
    }

    std::atomic<int> calls{0};
};

std::size_t SentRows(const SerPort& port)
{
    std::size_t count = 0;
    for (const LogLine& row : port.rows)
        count += row.direction == RowSent ? 1 : 0;
    return count;
}

struct HangUpCase : NamedCase {
    bool repeat;  // a repeated send runs when the device goes, else the port only reads
};

class SerPortHangUp : public ::testing::TestWithParam<HangUpCase> {
protected:
    // Points the link at `target`.
    void Link(const std::string& target)
    {
        std::filesystem::remove(link);
        std::filesystem::create_symlink(target, link);
    }

    WithSettingsLayout& pane() { return harness.window.settingsGroup; }
    ButtonOption& sendButton() { return harness.window.sendGroup.sendButton; }

    PortHarness harness;
    TempFolder folder;
    const std::string link = folder.File("ttyLINK");
};

TEST_P(SerPortHangUp, ClosesThePortKeepsItsRowsAndOpensAgainOnceTheDeviceIsBack)
{
    const bool repeat = GetParam().repeat;
    PtyPair first;
    if (!first.Ok())
        GTEST_SKIP() << "no pseudo-terminals here";
    Link(first.SlavePath());
    auto counting = std::make_unique<CountingPort>();
    CountingPort* device = counting.get();
    auto port = harness.MakePortOn(std::move(counting), link);
    ASSERT_EQ(port->state, SerPort::StateOpen);
    port->active = true;
    port->Activate();

    ASSERT_TRUE(first.Send("hello"));
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return !port->rows.empty() && port->rows[0].data == "hello"; }));
    if (repeat) {
        SendSlot& slot = port->CurrentSlot();
        slot.entry = "ping";
        slot.isRepeat = true;
        slot.repeatPeriod = 20;
        port->UpdateSend(true);
        port->SendNow();
        ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return SentRows(*port) >= 2; }));
        ASSERT_TRUE(port->sending);
        ASSERT_EQ(sendButton().text(), "Stop");
    }

    const std::vector<LogLine> before = port->rows;
    const auto goneAt = std::chrono::steady_clock::now();
    first.CloseMaster();
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return port->state == SerPort::StateClosed && !port->sending; }));
    std::cout
        << "closed "
        << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - goneAt).count()
        << " ms after the hang-up\n";
    // Shown as a device that failed to open.
    EXPECT_TRUE(PortHarness::ShowsImage(pane().statusLabel, IMG::off()));
    EXPECT_FALSE(pane().statusButton.isChecked());
    EXPECT_FALSE(sendButton().isChecked());
    EXPECT_EQ(sendButton().text(), "Send");
    EXPECT_FALSE(sendButton().isEnabled());
    EXPECT_TRUE(harness.window.sendGroup.isEnabled());
    // Rows are kept: those of before are all there, unchanged (a last sent row may follow).
    ASSERT_GE(port->rows.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(port->rows[i].direction, before[i].direction) << i;
        EXPECT_EQ(port->rows[i].data, before[i].data) << i;
    }

    // Idle while gone: the worker makes no device call at all.
    const int calls = device->calls;
    PortHarness::PumpUntil(
        *port, [] { return false; }, 300ms);
    EXPECT_EQ(device->calls, calls);

    // Switching on while nothing is at the path fails as for a missing device. (The link does
    // not keep the old pty's name: another test may get a new pty of that name meanwhile.)
    Link(folder.File("nothing"));
    pane().statusButton.click();
    EXPECT_EQ(port->state, SerPort::StateClosed);
    EXPECT_FALSE(pane().statusButton.isChecked());

    PtyPair second;
    ASSERT_TRUE(second.Ok());
    Link(second.SlavePath());
    pane().statusButton.click();
    ASSERT_EQ(port->state, SerPort::StateOpen);
    EXPECT_TRUE(PortHarness::ShowsImage(pane().statusLabel, IMG::on()));
    EXPECT_TRUE(sendButton().isEnabled());
    ASSERT_TRUE(second.Send("again"));
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return port->rows.back().data == "again"; }));
    EXPECT_EQ(port->rows.back().direction, RowReceived);
    EXPECT_EQ(second.ReceiveAll(100ms), "");  // an ended repeat does not resume
}

INSTANTIATE_TEST_SUITE_P(Table, SerPortHangUp,
                         ::testing::Values(HangUpCase{"WhileReading", false}, HangUpCase{"DuringARepeatedSend", true}),
                         CaseName<HangUpCase>);

}  // namespace
}  // namespace baudrill::test
