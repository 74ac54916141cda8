#include "monitor/protocols/QtfToHtml.h"

#include <algorithm>
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
constexpr Format kFormats[] = {
    {'*', "<b>", "</b>"},
    {'/', "<i>", "</i>"},
    {'_', "<u>", "</u>"},
    {'C', "<tt>", "</tt>"},
    {'^', "<span style=\"font-size:large\">", "</span>"},
};

int FormatOf(char code)
{
    for (int f = 0; f < static_cast<int>(std::size(kFormats)); ++f)
        if (kFormats[f].code == code)
            return f;
    return -1;
}

std::string StartTags(const std::vector<int>& formats)
{
    std::string tags;
    for (int f : formats)
        tags += kFormats[f].start;
    return tags;
}

// Closes in reverse order.
std::string EndTags(const std::vector<int>& formats)
{
    std::string tags;
    for (auto f = formats.rbegin(); f != formats.rend(); ++f)
        tags += kFormats[*f].end;
    return tags;
}

struct Span {
    std::string end;  // closes the tags of its codes, which the paragraph it opens in shows
    // The formats that no span around it sets, each once: what the later paragraphs that it runs
    // into open and close for it. Carrying a span's own tags into every paragraph instead would
    // give (spans x paragraphs) of output.
    std::string carriedStart;
    std::string carriedEnd;
    unsigned formats = 0;       // the formats set by it and the spans around it, one bit each
    std::size_t paragraph = 0;  // the paragraph in which it opened
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
        Span span;
        span.formats = open_.empty() ? 0 : open_.back().formats;
        std::vector<int> own;
        std::vector<int> carried;
        for (; i < codesEnd; ++i) {
            const int f = FormatOf(qtf[i]);  // sizes, colours and faces are not shown
            if (f < 0)
                continue;
            own.push_back(f);
            if (!(span.formats & (1u << f))) {
                span.formats |= 1u << f;
                carried.push_back(f);
            }
        }
        span.end = EndTags(own);
        span.carriedStart = StartTags(carried);
        span.carriedEnd = EndTags(carried);
        StartParagraph();
        span.paragraph = paragraph_;
        out_ += StartTags(own);
        if (!span.carriedStart.empty())
            carriers_.push_back(open_.size());
        open_.push_back(std::move(span));
        return (i < qtf.size() && qtf[i] == ']') ? i - 1 : i;
    }

    void Close()
    {
        if (inParagraph_)
            out_ += ShownEnd(open_.back());
        if (!carriers_.empty() && carriers_.back() == open_.size() - 1)
            carriers_.pop_back();
        open_.pop_back();
    }

    // What closes the span in the paragraph now running.
    const std::string& ShownEnd(const Span& span) const
    {
        return span.paragraph == paragraph_ ? span.end : span.carriedEnd;
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
            out_ += open_[k].carriedStart;
        inParagraph_ = true;
    }
    // Closes the spans opened in this paragraph (the top of the stack), then the formats carried
    // into it.
    void EndParagraph()
    {
        if (!inParagraph_)
            return;
        auto span = open_.rbegin();
        for (; span != open_.rend() && span->paragraph == paragraph_; ++span)
            out_ += span->end;
        for (auto k = carriers_.rbegin(); k != carriers_.rend(); ++k)
            if (open_[*k].paragraph != paragraph_)
                out_ += open_[*k].carriedEnd;
        out_ += "</p>";
        inParagraph_ = false;
    }

    std::string out_;
    std::vector<Span> open_;
    std::vector<std::size_t> carriers_;  // the open spans with carried formats: five at most
    std::size_t paragraph_ = 0;
    bool inParagraph_ = false;
};

}  // namespace

std::string QtfToHtml(std::string_view qtf)
{
    return Converter().Run(qtf);
}

}  // namespace baudrill
