#include "monitor/protocols/QtfToHtml.h"

#include <vector>

namespace baudrill {

namespace {

struct Span {
    std::string start;
    std::string end;
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
                if (inParagraph_)
                    out_ += open_.back().end;
                open_.pop_back();
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
        // Paragraph codes come first and end with ';': passed over.
        const std::size_t codesEnd = qtf.find_first_of(" ]", i);
        const std::size_t semicolon = qtf.find(';', i);
        if (semicolon < codesEnd)
            i = semicolon + 1;
        Span span;
        for (; i < qtf.size() && qtf[i] != ' ' && qtf[i] != ']'; ++i) {
            switch (qtf[i]) {
            case '*': Add(span, "<b>", "</b>"); break;
            case '/': Add(span, "<i>", "</i>"); break;
            case '_': Add(span, "<u>", "</u>"); break;
            case 'C': Add(span, "<tt>", "</tt>"); break;
            case '^': Add(span, "<span style=\"font-size:large\">", "</span>"); break;
            default: break;  // sizes, colours and faces are not shown
            }
        }
        StartParagraph();
        out_ += span.start;
        open_.push_back(std::move(span));
        return (i < qtf.size() && qtf[i] == ']') ? i - 1 : i;
    }

    static void Add(Span& span, const char* start, const char* end)
    {
        span.start += start;
        span.end.insert(0, end);
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

    // Spans still open go on in the next paragraph, as the markup's formats do.
    void StartParagraph()
    {
        if (inParagraph_)
            return;
        out_ += "<p>";
        for (const Span& span : open_)
            out_ += span.start;
        inParagraph_ = true;
    }
    void EndParagraph()
    {
        if (!inParagraph_)
            return;
        for (auto span = open_.rbegin(); span != open_.rend(); ++span)
            out_ += span->end;
        out_ += "</p>";
        inParagraph_ = false;
    }

    std::string out_;
    std::vector<Span> open_;
    bool inParagraph_ = false;
};

}  // namespace

std::string QtfToHtml(std::string_view qtf)
{
    return Converter().Run(qtf);
}

}  // namespace baudrill
