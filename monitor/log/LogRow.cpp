#include "monitor/log/LogRow.h"

#include <algorithm>

#include "grammar/NumberText.h"
#include "monitor/text/ByteText.h"

namespace baudrill {

namespace {

constexpr std::size_t BytesPerLine = 16;
constexpr std::size_t ColumnGap = 3;

std::size_t DumpLineLength(std::size_t indent) { return indent + BytesPerLine + ColumnGap + 3 * BytesPerLine + 1; }

void AppendDumpLine(std::string& out, std::size_t indent, std::string_view chunk)
{
    out.append(indent, ' ');
    AppendDottedControls(out, chunk);
    out.append(BytesPerLine - chunk.size(), ' ');
    out.append(ColumnGap, ' ');
    for (char c : chunk) {
        AppendHexByte(out, static_cast<unsigned char>(c));
        out.push_back(' ');
    }
    out.push_back('\n');
}

// Collects text in the block and hands it to the sink whenever a block is full.
class BlockedOutput {
public:
    BlockedOutput(std::string& block, const LogBlockSink& sink) : block(block), sink(sink) { block.clear(); }

    void Add(std::string_view piece)
    {
        if (block.size() + piece.size() > LogBlockBytes) {
            Flush();
            if (piece.size() > LogBlockBytes) {
                if (ok)
                    ok = sink(piece);
                return;
            }
        }
        block.append(piece);
    }
    void AddDumpLine(std::size_t indent, std::string_view chunk)
    {
        AppendDumpLine(block, indent, chunk);
        if (block.size() >= LogBlockBytes)
            Flush();
    }
    bool Flush()
    {
        if (ok && !block.empty())
            ok = sink(block);
        block.clear();
        return ok;
    }
    bool Ok() const { return ok; }

private:
    std::string& block;
    const LogBlockSink& sink;
    bool ok = true;
};

}  // namespace

bool WriteLogRow(std::string& block, std::string_view timeText, bool received, std::string_view bytes,
                 std::string_view protocolText, const LogBlockSink& sink)
{
    if (bytes.empty())
        return true;
    const std::size_t indent = timeText.size() + 4;
    // Room for a full block and the line that fills it, so the block never grows past it.
    block.reserve(LogBlockBytes + DumpLineLength(indent));
    BlockedOutput out(block, sink);
    out.Add(timeText);
    out.Add(received ? " >> " : " << ");
    out.Add(protocolText);
    out.Add("\n");
    for (std::size_t i = 0; i < bytes.size() && out.Ok(); i += BytesPerLine)
        out.AddDumpLine(indent, bytes.substr(i, std::min(BytesPerLine, bytes.size() - i)));
    return out.Flush();
}

}  // namespace baudrill
