// The three send encoders over any entry text, and the entry texts of attached files: the input's
// first byte picks the options (bit 0 CR, bit 1 LF) and, in its upper bits, one protocol of the
// main protocol file (or none) for the PROTO mode; the rest is the entry text, or the bytes of
// an attached file. An attached file's entry text must send exactly the file's bytes.
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "grammar/ArticleNamespace.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/protocols/ProtoFileSet.h"
#include "monitor/send/AttachText.h"
#include "monitor/send/SendEncoders.h"
#include "monitor/text/ByteText.h"

using namespace baudrill;

namespace {

// The protocols of the main protocol file, null Uuid first.
const std::vector<Uuid>& Protocols()
{
    static const std::vector<Uuid> uids = [] {
        ProtoFileSet files(BAUDRILL_FUZZ_DATA_DIR, fuzz::ScratchFolder());
        files.LoadFile(std::string(BAUDRILL_FUZZ_DATA_DIR) + "/" + ProtoFileName);
        std::vector<Uuid> found{Uuid()};
        for (const ProtoFileSet::FileEntry& file : files.Files())
            found.insert(found.end(), file.uids.begin(), file.uids.end());
        fuzz::Require(found.size() > 1, "the main protocol file is read");
        return found;
    }();
    return uids;
}

void CheckPreview(const std::string& preview, std::size_t bytes, std::size_t bytesPerByte)
{
    fuzz::Require(preview.starts_with("[+70C ") && preview.ends_with("]"), "a preview is a rich text of its own");
    const std::size_t shown = std::min(bytes, PreviewByteLimit);
    fuzz::Require(preview.size() <= 7 + shown * bytesPerByte + 11, "a preview shows at most 10,000 bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<Uuid>& protocols = Protocols();
    if (size == 0)
        return 0;
    const unsigned options = data[0];
    const std::string text(fuzz::BytesOf(data + 1, size - 1));
    const bool cr = options & 1;
    const bool lf = options & 2;
    std::string bytes, preview;

    EncodeAscii(text, cr, lf, bytes, preview);
    fuzz::Require(bytes.size() <= text.size() + 2, "ASCII escapes never make more bytes than they take");
    CheckPreview(preview, bytes.size(), 3);

    bytes.clear();
    preview.clear();
    EncodeHex(text, bytes, preview);
    fuzz::Require(bytes.size() <= text.size(), "HEX text makes at most a byte per character");
    CheckPreview(preview, bytes.size(), 3);  // an OEM character is at most 3 bytes of UTF-8

    EncodeProto(text, protocols[(options >> 2) % protocols.size()], bytes, preview);
    if (!preview.empty())
        CheckPreview(preview, bytes.size(), 3);

    EncodeAscii(AsciiEntryText(text), false, false, bytes, preview);
    fuzz::Require(bytes == text, "an attached file's ASCII entry sends the file's bytes");
    bytes.clear();
    preview.clear();
    EncodeHex(SpacedHexText(text), bytes, preview);
    fuzz::Require(bytes == text, "an attached file's HEX entry sends the file's bytes");
    return 0;
}
