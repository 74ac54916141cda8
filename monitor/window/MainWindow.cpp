#include "monitor/window/MainWindow.h"

#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <initializer_list>

#include "grammar/BuiltinNamespace.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/images/IMG.h"
#include "monitor/widgets/ProtoListKeys.h"
#include "monitor/window/PaneSetup.h"

namespace baudrill {

namespace {

// Send tabs in bar order, and the send mode each one stands for (0 PROTO, 1 ASCII, 2 HEX).
constexpr std::array<int, 3> modeOfSendTab = {SerPort::ModeAscii, SerPort::ModeHex, SerPort::ModeProto};

constexpr int PumpPeriodMs = 100;

}  // namespace

MainWindow::MainWindow()
{
    pumpTimer = new QTimer(this);
    pumpTimer->setInterval(PumpPeriodMs);
    connect(pumpTimer, &QTimer::timeout, this, &MainWindow::PumpPorts);
    pumpTimer->start();

    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(IMG::main_16a()));
    icon.addPixmap(QPixmap::fromImage(IMG::main_32()));
    setWindowIcon(icon);

    // No reordering by dragging; a tab is always selected (QTabBar never deselects).
    mainTabs.setTabsClosable(false);
    mainTabs.setMovable(false);

    SetUpSettingsPane(settingsGroup);
    mainToolbar.setMovable(false);
    mainToolbar.setFloatable(false);
    SetUpSendButtonPane(sendGroup);

    sendTabs.setTabsClosable(false);
    for (const char* caption : {"ASCII", "HEX", "PROTO"})
        AddValueTab(sendTabs, caption);
    sendTabs.setCurrentIndex(0);
    sendTabs.setShape(QTabBar::RoundedSouth);

    InitGrammarBuiltins();
    ProtocolsChanged();
    QToolButton* editButton = protoSendGroup.proto.insertButton(0, IMG::table());
    connect(editButton, &QToolButton::clicked, this, &MainWindow::OpenProtoDialog);

    SetUpEntryTips(asciiSendGroup, hexSendGroup);

    profileTabs.setShape(QTabBar::RoundedEast);
    for (int i = 1; i <= SendSlotCount; ++i)
        AddValueTab(profileTabs, " " + std::to_string(i) + " ");
    profileTabs.setTabsClosable(false);
    profileTabs.setCurrentIndex(0);

    AddPlusTab();
    mainTabs.setToolTip(QStringLiteral("Double click to close tab"));

    SetUpLogGrid(logGrid);

    SetUpPortTabHandlers();
    logGrid.WhenScroll = [this] { OnGridScroll(); };
    connect(&sendTabs, &QTabBar::currentChanged, this, &MainWindow::OnSendTab);
    connect(&profileTabs, &QTabBar::currentChanged, this, &MainWindow::OnProfileTab);

    EnableGroups(false);
    OnSendTab();
    asciiSendGroup.entry.setFocus();

    SetUpPreviews({&asciiSendGroup.preview, &hexSendGroup.preview, &protoSendGroup.preview});
    asciiSendGroup.attachButton.setIcon(QIcon(QPixmap::fromImage(IMG::attach())));
    hexSendGroup.attachButton.setIcon(QIcon(QPixmap::fromImage(IMG::attach())));
    protoSendGroup.graphButton.setIcon(QIcon(QPixmap::fromImage(IMG::graph())));
    protoSendGroup.graphButton.setEnabled(false);
    protoSendGroup.actionDelay.setNotNull(false);
    protoSendGroup.actionDelay.setRange(0, 1000000000);

    // Loads the protocol files and ends with ProtocolsChanged, which fills the lists.
    theProtoDialog = new ProtoDialog(this);
}

MainWindow::~MainWindow()
{
    // No queue is pumped while the ports go.
    pumpTimer->stop();
    // Writes the protocol files back before any port is deleted.
    delete theProtoDialog;
    theProtoDialog = nullptr;
    // Ports in tab order: each hands its rows to the log writer and joins its worker.
    while (!ports.IsEmpty())
        ports.Remove(0);
}

void MainWindow::EnableGroups(bool on)
{
    for (QWidget* pane : std::initializer_list<QWidget*>{&logGrid, &settingsGroup, &protoSendGroup, &asciiSendGroup,
                                                         &hexSendGroup, &sendGroup})
        pane->setEnabled(on);
}

void MainWindow::SelectSendMode(int mode)
{
    for (int tab = 0; tab < static_cast<int>(modeOfSendTab.size()); ++tab) {
        if (modeOfSendTab[tab] != mode)
            continue;
        // A change of tab runs OnSendTab.
        sendTabs.setCurrentIndex(tab);
        SendEntry(mode).setFocus();
        return;
    }
}

void MainWindow::SelectProfile(int slot) { profileTabs.setCurrentIndex(slot); }

void MainWindow::OnSendTab()
{
    const int tab = sendTabs.currentIndex();
    if (tab < 0 || tab >= static_cast<int>(modeOfSendTab.size()))
        return;
    const int mode = modeOfSendTab[tab];
    asciiSendGroup.setVisible(mode == SerPort::ModeAscii);
    hexSendGroup.setVisible(mode == SerPort::ModeHex);
    protoSendGroup.setVisible(mode == SerPort::ModeProto);
    SendEntry(mode).setFocus();
    if (SerPort* port = SelectedPort()) {
        port->mode = mode;
        port->UpdateSend(true);
    }
}

void MainWindow::OnProfileTab()
{
    if (SerPort* port = SelectedPort()) {
        port->slot = profileTabs.currentIndex();
        port->UpdateSend(true);
    }
}

void MainWindow::PumpPorts()
{
    // A notification may close a port, so the count is read before every step.
    for (int i = 0; i < ports.GetCount(); ++i)
        ports.At(i)->ProcessAll();
}

void MainWindow::OnGridScroll()
{
    // Rows cut at the view's edges draw relative to the visible part: repaint the two lines
    // at the edges of the view as it was before this scroll step.
    const int current = logGrid.scrollPosition();
    const int old = gridScrollPosition.value_or(current);
    const int first = logGrid.rowAt(old + 5);
    const int last = logGrid.rowAt(old + logGrid.height() - 20);
    logGrid.refreshRow(first);
    if (last != first)
        logGrid.refreshRow(last);
    gridScrollPosition = current;
}

void MainWindow::ProtocolsChanged()
{
    DropList& proto = protoSendGroup.proto;
    DropList& actionProto = protoSendGroup.actionProto;
    proto.clear();
    actionProto.clear();
    const auto& space = GrammarRegistry::Instance().GetAdd(GrammarNamespace);
    for (int i = 0; i < space.GetCount(); ++i) {
        const BNFarticle* article = space.At(i);
        if (!article || IsBuiltinRuleName(article->name))
            continue;
        AddProtoListEntry(proto, article->uid, article->name);
        AddProtoListEntry(actionProto, article->uid, article->name);
    }
    // Filling selects the first entry; the shown port selects its own.
    proto.setCurrentIndex(-1);
    actionProto.setCurrentIndex(-1);
    for (int i = 0; i < ports.GetCount(); ++i)
        ports.At(i)->ProtocolsChanged();
}

void MainWindow::OpenProtoDialog()
{
    if (!theProtoDialog)
        return;
    theProtoDialog->OnSelect();
    // Owned by the main window: it stays above it and is never a window of its own
    // that keeps the program running.
    if (theProtoDialog->parentWidget() != this)
        theProtoDialog->setParent(this, Qt::Window);
    theProtoDialog->show();
    theProtoDialog->raise();
    theProtoDialog->activateWindow();
}

QLineEdit& MainWindow::SendEntry(int mode)
{
    switch (mode) {
    case SerPort::ModeProto: return protoSendGroup.entry;
    case SerPort::ModeHex: return hexSendGroup.entry;
    default: return asciiSendGroup.entry;
    }
}

}  // namespace baudrill
