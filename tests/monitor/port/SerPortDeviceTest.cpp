// The port's device, settings pane and line display, on ports over fake devices.

#include "monitor/images/IMG.h"
#include "monitor/port/PortBindings.h"
#include "serial/LineFlags.h"
#include "tests/support/gui/PortHarness.h"

#include <QCoreApplication>
#include <QPixmap>

#include <gtest/gtest.h>

namespace baudrill::test {
namespace {

using Call = platform::FakeCommDevice::Call;

class SerPortDevice : public ::testing::Test {
protected:
    SerPortDevice()
    {
        for (int rate : {9600, 19200, 38400, 57600, 115200})
            pane().settingBaud.addItem(QString::number(rate), rate);
    }

    WithSettingsLayout& pane() { return harness.window.settingsGroup; }

    // Makes the port the shown one, as the main window's tab handling does.
    static void Show(SerPort& port)
    {
        port.active = true;
        port.Activate();
    }

    void ChooseBaud(int rate)
    {
        const int index = pane().settingBaud.findData(rate);
        ASSERT_GE(index, 0);
        pane().settingBaud.setCurrentIndex(index);
        emit pane().settingBaud.activated(index);  // as the user's choice
    }

    PortHarness harness;
};

TEST_F(SerPortDevice, MissingDeviceGivesAClosedTabThatStatusButtonRetries)
{
    auto port = harness.MakePort("/dev/ttyGONE", false);
    platform::FakeCommDevice* device = harness.device;
    EXPECT_EQ(port->state, SerPort::StateClosed);
    Show(*port);
    EXPECT_TRUE(PortHarness::ShowsImage(pane().statusLabel, IMG::off()));
    EXPECT_FALSE(pane().statusButton.isChecked());
    EXPECT_FALSE(harness.window.sendGroup.sendButton.isEnabled());
    EXPECT_FALSE(pane().settingStop0.isHidden());
    EXPECT_TRUE(pane().stateDTR.isHidden());

    pane().statusButton.click();  // still missing
    EXPECT_EQ(port->state, SerPort::StateClosed);
    EXPECT_FALSE(pane().statusButton.isChecked());

    device->ClearFailures();  // the device is plugged in
    pane().statusButton.click();
    EXPECT_EQ(port->state, SerPort::StateOpen);
    EXPECT_TRUE(device->IsOpen());
    EXPECT_EQ(device->OpenedPath(), "/dev/ttyGONE");
    EXPECT_TRUE(PortHarness::ShowsImage(pane().statusLabel, IMG::on()));
    EXPECT_TRUE(pane().statusButton.isChecked());
    EXPECT_TRUE(harness.window.sendGroup.sendButton.isEnabled());
    EXPECT_TRUE(pane().settingStop0.isHidden());
    EXPECT_FALSE(pane().stateDTR.isHidden());

    pane().statusButton.click();
    EXPECT_EQ(port->state, SerPort::StateClosed);
    EXPECT_FALSE(device->IsOpen());
}

TEST_F(SerPortDevice, OptionGroupsActAsRadioButtons)
{
    auto port = harness.MakePort("/dev/ttyFAKE0", false);
    Show(*port);
    EXPECT_TRUE(pane().settingStop0.isChecked());
    pane().settingStop1.click();  // "1.5"
    EXPECT_EQ(port->stopBits, 3);
    EXPECT_TRUE(pane().settingStop1.isChecked());
    EXPECT_FALSE(pane().settingStop0.isChecked());
    EXPECT_FALSE(pane().settingStop2.isChecked());
    pane().settingStop1.click();  // clicking the set option leaves it set
    EXPECT_TRUE(pane().settingStop1.isChecked());

    pane().settingParity1.click();  // "even"
    pane().settingWord2.click();
    EXPECT_EQ(port->parity, 2);
    EXPECT_EQ(port->wordLength, 6);
    EXPECT_TRUE(pane().settingParity1.isChecked());
    EXPECT_FALSE(pane().settingParity0.isChecked());

    harness.device->ClearFailures();
    pane().settingWord0.click();
    ASSERT_TRUE(port->Open());
    // The device layer opens "1.5" with one stop bit.
    EXPECT_EQ(harness.device->State().stopBits, platform::OneStopBit);
    EXPECT_EQ(harness.device->State().parity, platform::ParityEven);
    EXPECT_EQ(port->settings.stopBits, 3);
}

TEST_F(SerPortDevice, BaudRateAppliesAtOnceWhenOpenAndAtTheNextOpenWhenClosed)
{
    auto port = harness.MakePort();
    platform::FakeCommDevice* device = harness.device;
    Show(*port);
    EXPECT_EQ(pane().settingBaud.currentData().toInt(), 9600);
    ChooseBaud(19200);
    EXPECT_EQ(port->baud, 19200);
    EXPECT_EQ(device->State().baudRate, 19200);

    port->Close();
    ChooseBaud(57600);
    EXPECT_EQ(port->baud, 57600);
    EXPECT_EQ(device->State().baudRate, 19200);
    ASSERT_TRUE(port->Open());
    EXPECT_EQ(device->State().baudRate, 57600);
}

TEST_F(SerPortDevice, RefusedRateKeepsAndShowsTheOldOne)
{
    auto port = harness.MakePort();
    Show(*port);
    ChooseBaud(19200);
    harness.device->FailCall(Call::SetState, 1);
    ChooseBaud(38400);
    EXPECT_EQ(port->baud, 19200);
    EXPECT_EQ(harness.device->State().baudRate, 19200);
    EXPECT_EQ(pane().settingBaud.currentData().toInt(), 19200);
}

TEST_F(SerPortDevice, NoRateSelectedIsIgnored)
{
    auto port = harness.MakePort();
    Show(*port);
    pane().settingBaud.setCurrentIndex(-1);
    emit pane().settingBaud.activated(-1);
    EXPECT_EQ(port->baud, 9600);
    pane().settingBaud.addItem("0", 0);
    ChooseBaud(0);
    EXPECT_EQ(port->baud, 9600);
    EXPECT_EQ(harness.device->State().baudRate, 9600);
}

TEST_F(SerPortDevice, RateNotInTheListSelectsNoEntry)
{
    auto port = harness.MakePort();
    port->baud = 4321;
    Show(*port);
    EXPECT_EQ(pane().settingBaud.currentIndex(), -1);
}

TEST_F(SerPortDevice, DtrAndRtsClicksDriveTheLines)
{
    auto port = harness.MakePort();
    platform::FakeCommDevice* device = harness.device;
    Show(*port);
    // Opened without handshake: both lines up, and the indicators say so.
    EXPECT_EQ(port->lineBits & (LineFlags::Dtr | LineFlags::Rts), LineFlags::Dtr | LineFlags::Rts);
    EXPECT_TRUE(pane().stateDTR.isChecked());
    EXPECT_TRUE(pane().stateRTS.isChecked());

    pane().stateDTR.click();
    EXPECT_FALSE(device->Dtr());
    EXPECT_TRUE(device->Rts());
    pane().stateRTS.click();
    EXPECT_FALSE(device->Dtr());
    EXPECT_FALSE(device->Rts());
    pane().stateDTR.click();
    EXPECT_TRUE(device->Dtr());
    EXPECT_FALSE(device->Rts());
    EXPECT_EQ(port->lineBits & (LineFlags::Dtr | LineFlags::Rts), LineFlags::Dtr);
}

TEST_F(SerPortDevice, OutputBitsFollowTheLinesAsOpened)
{
    auto port = harness.MakePort();
    port->lineBits = 0;
    port->rtsCts = true;  // handshake: RTS is the driver's, only DTR is raised
    ASSERT_TRUE(port->Open());
    EXPECT_EQ(port->lineBits & (LineFlags::Dtr | LineFlags::Rts), LineFlags::Dtr);
}

TEST_F(SerPortDevice, LineChangesAreStoredOnlyWhileShown)
{
    auto port = harness.MakePort();
    Show(*port);
    // The worker reports its first reading (no input lines) once; let that pass, so that only
    // the test reports from here on.
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return harness.device->CallCount(Call::GetModemStatus) >= 2; }));
    const int outputs = port->lineBits & (LineFlags::Dtr | LineFlags::Rts);
    port->OnLineStatus(LineFlags::Cts);
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return pane().stateCTS.isChecked(); }));
    EXPECT_EQ(port->lineBits, outputs | LineFlags::Cts);

    port->active = false;  // another tab is selected
    port->OnLineStatus(LineFlags::Dsr | LineFlags::Dcd);
    EXPECT_EQ(port->lineBits, outputs | LineFlags::Cts);
    port->OnLineStatus(-1);  // a failed reading changes nothing either
    Show(*port);
    EXPECT_TRUE(pane().stateCTS.isChecked());
    EXPECT_FALSE(pane().stateDSR.isChecked());

    port->OnLineStatus(-1);
    EXPECT_EQ(port->lineBits, outputs | LineFlags::Cts);
    port->OnLineStatus(LineFlags::Ring);  // the input bits are replaced, the outputs kept
    EXPECT_EQ(port->lineBits, outputs | LineFlags::Ring);
}

TEST_F(SerPortDevice, WorkerReportsTheInputLines)
{
    auto port = harness.MakePort();
    Show(*port);
    harness.device->SetModemStatus(platform::ModemCtsOn | platform::ModemRingOn);
    EXPECT_TRUE(
        PortHarness::PumpUntil(*port, [&] { return pane().stateCTS.isChecked() && pane().stateRNG.isChecked(); }));
    EXPECT_FALSE(pane().stateDCD.isChecked());
}

TEST_F(SerPortDevice, FlowOptions)
{
    auto port = harness.MakePort("/dev/ttyFAKE0", false);
    Show(*port);
    EXPECT_TRUE(pane().flowNone.isChecked());
    pane().flowRTSCTS.click();
    pane().flowXONXOFF.click();
    EXPECT_TRUE(port->rtsCts);
    EXPECT_TRUE(port->xonXoff);
    EXPECT_FALSE(pane().flowNone.isChecked());
    pane().flowXONXOFF.click();
    EXPECT_FALSE(port->xonXoff);
    EXPECT_FALSE(pane().flowNone.isChecked());
    pane().flowXONXOFF.click();

    pane().flowNone.click();
    EXPECT_FALSE(port->rtsCts);
    EXPECT_FALSE(port->xonXoff);
    EXPECT_TRUE(pane().flowNone.isChecked());
    EXPECT_FALSE(pane().flowRTSCTS.isChecked());
    EXPECT_FALSE(pane().flowXONXOFF.isChecked());
    pane().flowNone.click();  // stays set
    EXPECT_TRUE(pane().flowNone.isChecked());
}

TEST_F(SerPortDevice, ActivateAsksForTheSendModeAndProfile)
{
    auto port = harness.MakePort();
    port->mode = SerPort::ModeHex;
    port->slot = 4;
    Show(*port);
    EXPECT_EQ(harness.gui.modes, std::vector<int>{SerPort::ModeHex});
    EXPECT_EQ(harness.gui.profiles, std::vector<int>{4});
}

TEST_F(SerPortDevice, OnlyTheShownPortsHandlersAreBound)
{
    auto first = harness.MakePort("/dev/ttyA", false);
    auto second = harness.MakePort("/dev/ttyB", false);
    Show(*first);
    first->active = false;
    Show(*second);
    pane().settingStop2.click();
    EXPECT_EQ(second->stopBits, 2);
    EXPECT_EQ(first->stopBits, 1);
    EXPECT_TRUE(static_cast<bool>(harness.window.logGrid.WhenLayout));

    // The shown port goes: nothing of it stays bound.
    second.reset();
    EXPECT_EQ(PortBindings::Current(&pane()), nullptr);
    EXPECT_FALSE(static_cast<bool>(harness.window.logGrid.WhenLayout));
    EXPECT_FALSE(static_cast<bool>(harness.window.logGrid.WhenLeftDouble));
    pane().settingStop0.click();
    EXPECT_EQ(first->stopBits, 1);

    // A port that is not the shown one leaves the bindings alone when it goes.
    Show(*first);
    auto third = harness.MakePort("/dev/ttyC", false);
    third.reset();
    pane().settingStop2.click();
    EXPECT_EQ(first->stopBits, 2);
}

TEST_F(SerPortDevice, SendDoneReleasesTheButton)
{
    auto port = harness.MakePort();
    Show(*port);
    ButtonOption& button = harness.window.sendGroup.sendButton;
    button.setChecked(true);
    button.setText("Stop");
    harness.window.sendGroup.setEnabled(false);
    port->sending = true;
    port->OnSendDone(port->runningSend);
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(button.text(), "Send");
    EXPECT_TRUE(harness.window.sendGroup.isEnabled());
    EXPECT_FALSE(port->sending);  // a single send that wrote nothing does not stay "sending"

    // A repeated send ended by closing the device is over too, or the port would stay
    // "sending" with nothing running.
    port->repeating = true;
    port->sending = true;
    port->active = false;
    button.setChecked(true);
    port->OnSendDone(port->runningSend);
    EXPECT_FALSE(port->sending);
    EXPECT_TRUE(button.isChecked());  // not shown: the shared button is not touched
}

}  // namespace
}  // namespace baudrill::test
