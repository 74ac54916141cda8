// A protocol typed in the editor, then run the ways the program runs it: the input is a rule
// text, a NUL byte, a PROTO entry, a NUL byte and the bytes of a row ("rule\0entry\0row";
// missing parts are empty). The rule compiles as a protocol file's article, whose elements must
// grow at most linearly with its text (fuzz::ElementsAllowed), and then
// through the editor's section grammar, as the protocol that runs; the row is
// decoded as a received chunk (starting junk ignored, so the run from the row's start that a
// sent row gets is among them), its values composed as an automatic answer, and the entry is
// composed as the PROTO send pane does. Each input must end within the replay's time-out.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/traffic/LogLine.h"
#include "monitor/traffic/RowDecoder.h"
#include "monitor/traffic/TrafficText.h"
#include "monitor/protocols/ProtoSection.h"
#include "monitor/send/ProtoEncoder.h"
#include "monitor/send/SendEncoders.h"

using namespace baudrill;

namespace {

const BNFarticle& SectionParser()
{
    static const BNFarticle* parser = [] {
        const BNFarticle* made = CreateSectionParser();
        ValueListArticle();  // made once, before any input's articles
        return made;
    }();
    return *parser;
}

void DecodeAndAnswer(const BNFarticle& protocol, const std::string& bytes)
{
    LogLine row;
    row.direction = RowReceived;
    row.data = bytes;
    const RowDecoding decoding = DecodeRow(protocol, row, true);
    if (!decoding.decoded)
        return;
    fuzz::Require(decoding.start <= bytes.size(), "a decoded tail starts inside the row");
    ValuesText(decoding.values, true);
    std::string answer;
    ComposeFrame(protocol, decoding.values, answer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BNFarticle& sectionParser = SectionParser();
    const std::vector<std::string> parts = fuzz::SplitAtNul(fuzz::BytesOf(data, size), 3);
    const std::string& rule = parts[0];
    const std::string& entry = parts[1];
    const std::string& row = parts[2];

    const fuzz::NamespaceCounts before;
    // A protocol file's article keeps every element its compile made, whether it compiled whole or not.
    CreateArticle(GrammarNamespace, "loaded", rule);
    fuzz::Require(before.ElementsMade() <= fuzz::ElementsAllowed(rule.size()),
                  "a compile makes elements linear in its text");

    const Uuid uid = CreateArticle(GrammarNamespace, "fuzzed", "")->uid;
    CompileProtocol(sectionParser, uid, rule);
    const BNFarticle* protocol = FindProtocol(uid);
    fuzz::Require(protocol != nullptr, "a compile keeps the protocol under its uid");

    DecodeAndAnswer(*protocol, row);
    std::string bytes, preview;
    EncodeProto(entry, uid, bytes, preview);
    fuzz::Require(preview.empty() || (preview.starts_with("[+70C ") && preview.ends_with("]")),
                  "a PROTO preview is a rich text of its own");

    before.Restore();
    return 0;
}
