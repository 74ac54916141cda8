#include "monitor/LogRow.h"

#include <algorithm>

namespace baudrill {

namespace {

constexpr std::size_t BytesPerLine = 16;
constexpr char HexDigits[] = "0123456789ABCDEF";

void AppendDumpLine(std::string& out, std::size_t indent, std::string_view chunk) {
    out.append(indent, ' ');
    for (char c : chunk) out.push_back(static_cast<unsigned char>(c) < 0x20 ? '.' : c);
    out.append(BytesPerLine - chunk.size(), ' ');
    out.append("   ");
    for (char c : chunk) {
        auto byte = static_cast<unsigned char>(c);
        out.push_back(HexDigits[byte >> 4]);
        out.push_back(HexDigits[byte & 0x0F]);
        out.push_back(' ');
    }
    out.push_back('\n');
}

}  // namespace

void AppendLogRow(std::string& out, std::string_view timeText, bool received,
                  std::string_view bytes, std::string_view protocolText) {
    if (bytes.empty()) return;
    out.append(timeText);
    out.append(received ? " >> " : " << ");
    out.append(protocolText);
    out.push_back('\n');
    const std::size_t indent = timeText.size() + 4;
    for (std::size_t i = 0; i < bytes.size(); i += BytesPerLine)
        AppendDumpLine(out, indent, bytes.substr(i, std::min(BytesPerLine, bytes.size() - i)));
}

}  // namespace baudrill
