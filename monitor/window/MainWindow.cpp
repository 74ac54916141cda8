// Placeholder: the main window is being written.
#include "monitor/window/MainWindow.h"

namespace baudrill {

MainWindow::MainWindow() = default;
MainWindow::~MainWindow() = default;
void MainWindow::EnableGroups(bool) {}
void MainWindow::SelectSendMode(int) {}
void MainWindow::SelectProfile(int) {}
void MainWindow::OnSendTab() {}
void MainWindow::OnProfileTab() {}
void MainWindow::PumpPorts() {}
void MainWindow::OnGridScroll() {}
void MainWindow::ProtocolsChanged() {}
void MainWindow::OpenProtoDialog() {}

}  // namespace baudrill
