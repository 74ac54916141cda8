#pragma once

#include <QString>

#include <array>
#include <initializer_list>
#include <string>

class QTabBar;

namespace baudrill {

class DropList;
class RichTextCtrl;
class SerPortCtrl;
class WithAsciiLayout;
class WithHexLayout;
class WithProtoLayout;
class WithSendLayout;
class WithSettingsLayout;

// The fixed choices of the main window's shared panes, made once when the window is built.

// The baud rates of the rate list in their five groups, in list order; a separator line
// stands between groups (there is none inside the last group).
inline constexpr std::array<int, 5> BaudGroupSizes = {5, 6, 3, 9, 19};
inline constexpr std::array<int, 42> BaudRates = {
    9600, 19200, 38400, 57600, 115200, 150,   300,   600,   1200,  2400,  4800,  230400, 460800, 921600,
    256,  512,   1024,  2048,  4096,   8192,  16384, 32768, 65536, 1000,  2000,  3000,   4000,   5000,
    6000, 7000,  8000,  9000,  10000,  20000, 30000, 40000, 50000, 60000, 70000, 80000,  90000,  100000,
};

// Fills the list with the rates (each an int as value and as text) and the separators,
// leaving no rate selected.
void FillBaudRates(DropList& list);

// Captions, tips, images and the line indicators of the settings pane; the rate list.
void SetUpSettingsPane(WithSettingsLayout& pane);
// Caption "Send", repeat off, period 200 until a port is shown.
void SetUpSendButtonPane(WithSendLayout& pane);
// The tips of the ASCII and HEX entries.
void SetUpEntryTips(WithAsciiLayout& ascii, WithHexLayout& hex);
// Tip and the four columns of the log grid.
void SetUpLogGrid(SerPortCtrl& grid);
// Read-only previews on the window's face colour.
void SetUpPreviews(std::initializer_list<RichTextCtrl*> previews);

// What the panes show while no port is: no rate, no option set, empty entries, previews and
// protocol lists, the send button pane as it was set up. Fills them quietly, so no handler of
// the port shown before hears of it.
void ShowEmptyPanes(WithSettingsLayout& settings, WithSendLayout& send, WithAsciiLayout& ascii, WithHexLayout& hex,
                    WithProtoLayout& proto);

// A text as a caption of a tab or menu item that shows it literally (a '&' is no mnemonic).
QString LiteralCaption(const std::string& value);

// Tabs whose value is a text: the value is kept as the tab's data and shown literally
// (a '&' in it is no mnemonic).
int AddValueTab(QTabBar& bar, const std::string& value);
void SetTabValue(QTabBar& bar, int index, const std::string& value);
// The value of the tab; empty for an index that holds no tab.
std::string TabValue(const QTabBar& bar, int index);

// The tips of the entries, as HTML.
extern const char* const AsciiEntryTip;
extern const char* const HexEntryTip;

}  // namespace baudrill
