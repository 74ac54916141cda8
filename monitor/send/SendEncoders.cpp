#include "monitor/send/SendEncoders.h"

#include <algorithm>

#include "grammar/NumberText.h"
#include "monitor/text/ByteText.h"
#include "monitor/text/OemCharset.h"

namespace baudrill {

namespace {

constexpr const char* PreviewStart = "[+70C ";
constexpr char PreviewEnd = ']';

bool IsHexSeparator(char c)
{
    return c == ' ' || c == ',' || c == ';' || c == '-' || c == '/' || c == '\\' || c == '|';
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

std::string HexDigitsPreview(std::string_view bytes)
{
    const std::size_t shown = std::min(bytes.size(), PreviewByteLimit);
    std::string preview = PreviewStart;
    preview.reserve(preview.size() + 3 * shown + 5);
    for (std::size_t i = 0; i < shown; ++i) {
        AppendHexByte(preview, static_cast<unsigned char>(bytes[i]));
        if (i + 1 < bytes.size())
            preview += ' ';
    }
    if (bytes.size() > PreviewByteLimit)
        preview += "...";
    preview += PreviewEnd;
    return preview;
}

std::string OemCharsPreview(std::string_view bytes)
{
    std::string shown = DottedControls(bytes.substr(0, PreviewByteLimit));
    if (bytes.size() > PreviewByteLimit)
        shown += ">>>more...";
    return PreviewStart + FromOemCharset(shown) + PreviewEnd;
}

void EncodeAscii(const std::string& text, bool cr, bool lf, std::string& bytes, std::string& preview)
{
    bytes.clear();
    const std::size_t len = text.size();
    std::size_t i = 0;
    while (i < len) {
        const char c = text[i];
        if (c != '\\') {
            bytes += c;
            ++i;
        } else if (i + 1 < len && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            bytes += text[i + 1];
            i += 2;
        } else if (i + 2 < len) {
            // The two characters are taken whatever they are: "\zz" is the byte 0.
            bytes += ScanHexByte(std::string_view(text).substr(i + 1, 2));
            i += 3;
        } else {
            bytes += c;  // a backslash too close to the end stands for itself
            ++i;
        }
    }
    if (cr)
        bytes += '\r';
    if (lf)
        bytes += '\n';
    preview = HexDigitsPreview(bytes);
}

void EncodeHex(const std::string& text, std::string& bytes, std::string& preview)
{
    bytes.clear();
    const std::size_t len = text.size();
    std::size_t i = 0;
    while (i < len) {
        const char c = text[i];
        if (IsHexSeparator(c)) {
            ++i;
        } else if (IsQuote(c)) {
            const std::size_t close = text.find_first_of("\"'", i + 1);
            const std::size_t end = close == std::string::npos ? len : close;
            bytes.append(text, i + 1, end - (i + 1));
            i = close == std::string::npos ? len : close + 1;
        } else {
            bytes += ScanHexByte(std::string_view(text).substr(i, 2));
            i += 2;
        }
    }
    preview = OemCharsPreview(bytes);
}

}  // namespace baudrill
