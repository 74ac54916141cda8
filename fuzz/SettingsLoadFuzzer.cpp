// The settings file as the program loads it, from any bytes: the window's items, then one port
// for each name the load keeps, each port's items over the defaults of a new port. After every
// load the loader's promises must hold, and storing what was loaded and loading that again
// must give the same content.
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/settings/LoadedPortItems.h"
#include "monitor/settings/PortItems.h"
#include "monitor/settings/SettingsStream.h"
#include "monitor/settings/WindowItems.h"

using namespace baudrill;

namespace {

// The fields of a port that the file holds, with the values of a port tab just made.
struct Port {
    int baud = 9600;
    bool rtsCts = false;
    bool xonXoff = false;
    int mode = 1;  // ASCII
    int slot = 0;
    std::vector<SendSlot> asciiSlots = std::vector<SendSlot>(SendSlotCount);
    std::vector<SendSlot> hexSlots = std::vector<SendSlot>(SendSlotCount);
    std::vector<SendSlot> protoSlots = std::vector<SendSlot>(SendSlotCount);
    std::vector<LogLine> rows;

    PortItems Items() { return {baud, rtsCts, xonXoff, mode, slot, asciiSlots, hexSlots, protoSlots, rows}; }
    friend bool operator==(const Port&, const Port&) = default;
};

struct Loaded {
    std::string version;
    WindowItems window{version};
    std::vector<Port> ports;
};

// Loads as MainWindow::Serialize does; false when the file has no frame (nothing is loaded).
bool Load(std::string file, Loaded& loaded)
{
    SettingsStream stream = SettingsStream::ForLoading(std::move(file));
    if (!stream.HasFrame())
        return false;
    const int count = loaded.window.Serialize(stream);
    if (count < 0) {
        loaded.window.portNames.clear();  // no port was made, so none is stored
        return true;
    }
    loaded.ports.resize(static_cast<std::size_t>(count));
    for (Port& port : loaded.ports)
        port.Items().Serialize(stream);
    return true;
}

// Stores as the program does after a load: this version, the loaded ports under their names.
std::string Store(Loaded& loaded)
{
    SettingsStream stream;
    std::string version = VersionText;
    WindowItems window{version};
    window.placement = loaded.window.placement;
    window.header = loaded.window.header;
    window.tab = loaded.window.tab;
    window.portNames = loaded.window.portNames;
    window.Serialize(stream);
    for (Port& port : loaded.ports)
        port.Items().Serialize(stream);
    return stream.FramedBytes();
}

void CheckSlots(const std::vector<SendSlot>& slots)
{
    fuzz::Require(slots.size() == SendSlotCount, "every mode has exactly 10 slots");
    for (const SendSlot& s : slots) {
        fuzz::Require(s.repeatPeriod >= 1 && s.repeatPeriod <= RepeatPeriodMax, "repeat period in 1-1000000");
        fuzz::Require(s.actionDelay >= 0, "answer delay not negative");
        fuzz::Require(s.protoId == FindProtocolByName(s.protoName), "a slot's protocol is found by its name");
        fuzz::Require(s.answerId == FindProtocolByName(s.answerProtoName), "an answer protocol is found by its name");
        fuzz::Require(s.protoName.empty() == s.protoId.IsNull(), "a protocol name no protocol has is emptied");
        fuzz::Require(s.answerProtoName.empty() == s.answerId.IsNull(), "an answer name no protocol has is emptied");
    }
}

void CheckPromises(const Loaded& loaded)
{
    fuzz::Require(loaded.ports.size() <= MaxLoadedPorts, "at most 256 ports");
    fuzz::Require(loaded.ports.size() == loaded.window.portNames.size(), "one port for each name kept");
    for (const Port& port : loaded.ports) {
        fuzz::Require(port.baud > 0, "a positive rate");
        fuzz::Require(port.mode >= 0 && port.mode <= 2, "mode in 0-2");
        fuzz::Require(port.slot >= 0 && port.slot < SendSlotCount, "profile slot in 0-9");
        CheckSlots(port.asciiSlots);
        CheckSlots(port.hexSlots);
        CheckSlots(port.protoSlots);
        for (const LogLine& row : port.rows) {
            fuzz::Require(row.logged, "loaded rows are marked logged");
            fuzz::Require((row.height > 0 && row.lineCount > 0) || (row.height == 0 && row.lineCount == 0),
                          "a row height is positive or left to be computed");
        }
    }
}

// The placement's version is the format's (a store writes its own); the grid header holds
// doubles (a NaN is not equal to itself), so the stored bytes compare it.
bool SameContent(const Loaded& a, const Loaded& b)
{
    const WindowPlacement& p = a.window.placement;
    const WindowPlacement& q = b.window.placement;
    return p.normal == q.normal && p.current == q.current && p.flags == q.flags && a.window.tab == b.window.tab &&
           a.window.portNames == b.window.portNames && a.ports == b.ports;
}

// Protocols for the slots to find by name, as the protocol files give them at start-up.
void MakeProtocols()
{
    static const bool made = [] {
        CreateArticle(GrammarNamespace, "Modbus03Request",
                      "crc_start byte \"\\03\" word_be word_be crc_end crc_modbus");
        CreateArticle(GrammarNamespace, "line", "str_quoted");
        CreateArticle(GrammarNamespace, "line", "str_int");  // a slot takes the first of a name
        return true;
    }();
    (void)made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MakeProtocols();
    Loaded first;
    if (!Load(std::string(fuzz::BytesOf(data, size)), first))
        return 0;
    CheckPromises(first);
    // Only a file of this version loads ports; the round trip is one of what was loaded.
    if (first.version != VersionText)
        return 0;

    const std::string stored = Store(first);
    Loaded second;
    fuzz::Require(Load(stored, second), "a stored file has its frame");
    fuzz::Require(second.version == VersionText, "a stored file has this version");
    CheckPromises(second);
    fuzz::Require(SameContent(first, second), "a store and a reload give the content loaded");
    fuzz::Require(Store(second) == stored, "storing the reloaded content gives the same file");
    return 0;
}
