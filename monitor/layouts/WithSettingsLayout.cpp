#include "monitor/layouts/WithSettingsLayout.h"

#include "monitor/layouts/LayoutSpec.h"

namespace baudrill {

namespace {

constexpr LayoutItemSpec items[] = {
    {"stopBitsLabel", LW(412, 44), TH(4, 19), "Stop bits", RightAligned},
    {"settingBaud", LW(88, 92), TH(4, 19)},
    {"baudLabel", LW(56, 28), TH(4, 19), "Baud", RightAligned},
    {"settingStop2", LW(500, 20), TH(4, 20)},
    {"stateDCD", RW(120, 24), TH(6, 16)},
    {"stateCTS", RW(96, 24), TH(6, 16)},
    {"stateDSR", RW(72, 24), TH(6, 16)},
    {"stateDTR", RW(48, 24), TH(6, 16)},
    {"stateRNG", RW(24, 24), TH(6, 16)},
    {"stateRTS", RW(0, 24), TH(6, 16)},
    {"settingStop1", LW(476, 24), TH(4, 20)},
    {"settingStop0", LW(456, 20), TH(4, 20)},
    {"wordLabel", LW(312, 32), TH(4, 19), "Word", RightAligned},
    {"settingWord2", LW(384, 20), TH(4, 20)},
    {"settingWord1", LW(364, 20), TH(4, 20)},
    {"settingWord0", LW(344, 20), TH(4, 20)},
    {"flowLabel", RW(144, 28), TH(4, 19), "Flow", RightAligned},
    {"parityLabel", LW(188, 32), TH(4, 19), "Parity", RightAligned},
    {"settingParity2", LW(276, 28), TH(4, 20)},
    {"settingParity1", LW(244, 32), TH(4, 20)},
    {"flowRTSCTS", RW(60, 52), TH(4, 20)},
    {"flowXONXOFF", RW(0, 60), TH(4, 20)},
    {"flowNone", RW(112, 32), TH(4, 20)},
    {"settingParity0", LW(220, 24), TH(4, 20)},
    {"statusButton", LW(0, 24), TH(2, 24)},
    {"statusLabel", LW(26, 20), TH(4, 20)},
};

}  // namespace

WithSettingsLayout::WithSettingsLayout(LayoutZoom zoom, QWidget* parent) : QWidget(parent)
{
    applyLayout(
        *this, {"SettingsLayout", {684, 28}, items},
        {&stopBitsLabel, &settingBaud,  &baudLabel,      &settingStop2, &stateDCD,       &stateCTS,       &stateDSR,
         &stateDTR,      &stateRNG,     &stateRTS,       &settingStop1, &settingStop0,   &wordLabel,      &settingWord2,
         &settingWord1,  &settingWord0, &flowLabel,      &parityLabel,  &settingParity2, &settingParity1, &flowRTSCTS,
         &flowXONXOFF,   &flowNone,     &settingParity0, &statusButton, &statusLabel},
        zoom, false);
}

}  // namespace baudrill
