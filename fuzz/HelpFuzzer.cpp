// The rule-language help converted for the editor's help window, from any text. The HTML must
// grow linearly with the help (here: at most MaxHtmlPerHelpByte bytes for each byte of help, a
// bound that every linear conversion of the markup meets many times over), and every tag the
// conversion opens is closed.
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "monitor/protocols/QtfToHtml.h"

using namespace baudrill;

namespace {

constexpr std::size_t MaxHtmlPerHelpByte = 1024;
constexpr std::size_t HtmlAllowance = 64 * 1024;

std::size_t Count(std::string_view text, std::string_view what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string html = QtfToHtml(fuzz::BytesOf(data, size));
    fuzz::Require(html.size() <= MaxHtmlPerHelpByte * size + HtmlAllowance, "the HTML grows linearly with the help");
    for (const auto& [open, close] : {std::pair{"<p>", "</p>"},
                                      {"<b>", "</b>"},
                                      {"<i>", "</i>"},
                                      {"<u>", "</u>"},
                                      {"<tt>", "</tt>"},
                                      {"<span ", "</span>"}})
        fuzz::Require(Count(html, open) == Count(html, close), "every tag opened is closed");
    return 0;
}
