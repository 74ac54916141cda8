#include "monitor/protocols/QtfToHtml.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <vector>

namespace baudrill {

namespace {

// The formats a span can set, and their tags.
struct Format {
    char code;
    const char* start;
    const char* end;
};
constexpr Format Formats[] = {
    {'*', "<b>", "</b>"},
    {'/', "<i>", "</i>"},
    {'_', "<u>", "</u>"},
    {'C', "<tt>", "</tt>"},
    {'^', "<span style=\"font-size:large\">", "</span>"},
};
constexpr std::size_t FormatCount = std::size(Formats);

int FormatOf(char code)
{
    for (std::size_t f = 0; f < FormatCount; ++f)
        if (Formats[f].code == code)
            return static_cast<int>(f);
    return -1;
}

using FormatIndex = std::uint8_t;

// An open span, kept small: a text of many brackets holds one for each.
struct Span {
    std::size_t paragraph = 0;  // the paragraph in which it opened
    // Its codes' formats stand in the converter's `codes_` from here up to the next span's.
    std::uint32_t codesStart = 0;
    // The formats that no span around it sets, each once, in the order of its codes: what the
    // later paragraphs that it runs into open and close for it. Carrying all of a span's tags
    // into every paragraph instead would give (spans x paragraphs) of output.
    std::array<FormatIndex, FormatCount> carried{};
    std::uint8_t carriedCount = 0;
    std::uint8_t formats = 0;  // the formats set by it and the spans around it, one bit each
};

class Converter {
public:
    std::string Run(std::string_view qtf)
    {
        for (std::size_t i = 0; i < qtf.size(); ++i) {
            const char c = qtf[i];
            if (c == '`' && i + 1 < qtf.size()) {
                Text(qtf[++i]);
            } else if (c == '[') {
                i = Open(qtf, i + 1);
            } else if (c == ']' && !open_.empty()) {
                Close();
            } else if (c == '&') {
                EndParagraph();
                StartParagraph();
            } else if (c == '\n' || c == '\r') {
                Text(' ');
            } else {
                Text(c);
            }
        }
        EndParagraph();
        return out_;
    }

private:
    // Reads the format codes after '[' up to the blank that ends them and opens their span;
    // gives the index of that blank, or the index before a ']' that follows the codes at once.
    std::size_t Open(std::string_view qtf, std::size_t i)
    {
        // Paragraph codes come first and end with ';': passed over. Only the codes are searched,
        // so that every '[' costs no more than the codes after it.
        const std::size_t codesEnd = std::min(qtf.find_first_of(" ]", i), qtf.size());
        const std::size_t semicolon = qtf.substr(i, codesEnd - i).find(';');
        if (semicolon != std::string_view::npos)
            i += semicolon + 1;
        StartParagraph();
        Span span;
        span.paragraph = paragraph_;
        span.codesStart = static_cast<std::uint32_t>(codes_.size());
        span.formats = open_.empty() ? 0 : open_.back().formats;
        for (; i < codesEnd; ++i) {
            const int f = FormatOf(qtf[i]);  // sizes, colours and faces are not shown
            if (f < 0)
                continue;
            codes_.push_back(static_cast<FormatIndex>(f));
            out_ += Formats[f].start;
            if (!(span.formats & (1u << f))) {
                span.formats = static_cast<std::uint8_t>(span.formats | (1u << f));
                span.carried[span.carriedCount++] = static_cast<FormatIndex>(f);
            }
        }
        if (span.carriedCount > 0)
            carriers_.push_back(open_.size());
        open_.push_back(span);
        return (i < qtf.size() && qtf[i] == ']') ? i - 1 : i;
    }

    void Close()
    {
        if (inParagraph_)
            EndSpan(open_.size() - 1);
        codes_.resize(open_.back().codesStart);
        if (!carriers_.empty() && carriers_.back() == open_.size() - 1)
            carriers_.pop_back();
        open_.pop_back();
    }

    // Closes the tags that the paragraph now running opened for the span k.
    void EndSpan(std::size_t k)
    {
        const Span& span = open_[k];
        if (span.paragraph == paragraph_) {
            const std::size_t end = k + 1 < open_.size() ? open_[k + 1].codesStart : codes_.size();
            for (std::size_t c = end; c-- > span.codesStart;)
                out_ += Formats[codes_[c]].end;
        } else {
            for (std::size_t c = span.carriedCount; c-- > 0;)
                out_ += Formats[span.carried[c]].end;
        }
    }

    void Text(char c)
    {
        StartParagraph();
        switch (c) {
        case '&': out_ += "&amp;"; break;
        case '<': out_ += "&lt;"; break;
        case '>': out_ += "&gt;"; break;
        case '"': out_ += "&quot;"; break;
        default: out_ += c;
        }
    }

    // Spans still open go on in the next paragraph, as the markup's formats do: each format
    // they set is opened once.
    void StartParagraph()
    {
        if (inParagraph_)
            return;
        ++paragraph_;
        out_ += "<p>";
        for (std::size_t k : carriers_)
            for (std::size_t c = 0; c < open_[k].carriedCount; ++c)
                out_ += Formats[open_[k].carried[c]].start;
        inParagraph_ = true;
    }
    // Closes the spans opened in this paragraph (the top of the stack), then the formats carried
    // into it.
    void EndParagraph()
    {
        if (!inParagraph_)
            return;
        std::size_t k = open_.size();
        for (; k > 0 && open_[k - 1].paragraph == paragraph_; --k)
            EndSpan(k - 1);
        for (auto carrier = carriers_.rbegin(); carrier != carriers_.rend(); ++carrier)
            if (*carrier < k)
                EndSpan(*carrier);
        out_ += "</p>";
        inParagraph_ = false;
    }

    std::string out_;
    std::vector<Span> open_;
    std::vector<FormatIndex> codes_;     // the formats of the open spans' codes, span after span
    std::vector<std::size_t> carriers_;  // the open spans with carried formats: five at most
    std::size_t paragraph_ = 0;
    bool inParagraph_ = false;
};

}  // namespace

std::string QtfToHtml(std::string_view qtf) { return Converter().Run(qtf); }

}  // namespace baudrill
