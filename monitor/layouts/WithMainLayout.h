#pragma once

#include "monitor/grid/view/SerPortCtrl.h"
#include "monitor/widgets/TabBarLeftDown.h"
#include "monitor/layouts/LayoutZoom.h"
#include "monitor/layouts/WithAsciiLayout.h"
#include "monitor/layouts/WithHexLayout.h"
#include "monitor/layouts/WithProtoLayout.h"
#include "monitor/layouts/WithSendLayout.h"
#include "monitor/layouts/WithSettingsLayout.h"

#include <QTabBar>
#include <QToolBar>
#include <QWidget>

namespace baudrill {

// The main window: port tabs, settings strip, log grid, send-mode panes, profile tabs and
// the send button pane. The three send-mode panes share one place, and the settings pane
// lies over the tool bar.
class WithMainLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithMainLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    QTabBar sendTabs;
    TabBarLeftDown mainTabs;
    SerPortCtrl logGrid;
    QTabBar profileTabs;
    WithProtoLayout protoSendGroup;
    WithAsciiLayout asciiSendGroup;
    WithHexLayout hexSendGroup;
    QToolBar mainToolbar;
    WithSettingsLayout settingsGroup;
    WithSendLayout sendGroup;
};

}  // namespace baudrill
