#pragma once

#include "monitor/widgets/ButtonOption.h"
#include "monitor/widgets/DropList.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QLabel>
#include <QWidget>

namespace baudrill {

// The settings pane: open/close, line settings while the port is closed, and the line
// indicators while it is open.
class WithSettingsLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithSettingsLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    QLabel stopBitsLabel;
    DropList settingBaud;
    QLabel baudLabel;
    ButtonOption settingStop2;
    ButtonOption stateDCD;
    ButtonOption stateCTS;
    ButtonOption stateDSR;
    ButtonOption stateDTR;
    ButtonOption stateRNG;
    ButtonOption stateRTS;
    ButtonOption settingStop1;
    ButtonOption settingStop0;
    QLabel wordLabel;
    ButtonOption settingWord2;
    ButtonOption settingWord1;
    ButtonOption settingWord0;
    QLabel flowLabel;
    QLabel parityLabel;
    ButtonOption settingParity2;
    ButtonOption settingParity1;
    ButtonOption flowRTSCTS;
    ButtonOption flowXONXOFF;
    ButtonOption flowNone;
    ButtonOption settingParity0;
    ButtonOption statusButton;
    QLabel statusLabel;
};

}  // namespace baudrill
