// Placeholder: the port tabs are being written.
#include "monitor/window/MainWindow.h"

namespace baudrill {

void MainWindow::OnMainTab() {}
void MainWindow::OnCloseTab() {}
void MainWindow::OnTabLeftDown() {}
void MainWindow::PortMenu(QMenu&) {}
void MainWindow::OnPortEntry() {}
void MainWindow::AddPort(const std::string&) {}
SerPort* MainWindow::SelectedPort() const { return nullptr; }

}  // namespace baudrill
