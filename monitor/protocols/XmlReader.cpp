#include "monitor/protocols/XmlReader.h"

#include <cstddef>
#include <string>
#include <vector>

#include "grammar/NumberText.h"

namespace baudrill {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Tag and attribute names: anything up to a blank, '=', '/', '>' or a quote.
bool IsNameByte(char c)
{
    return !IsSpace(c) && c != '=' && c != '/' && c != '>' && c != '<' && c != '"' && c != '\'' && c != '\0';
}

// Decodes "&...;" at `text[i]` (which is '&') into `out`; returns the length consumed, 0 when
// it is no entity we know (the caller then keeps the '&' as it is).
std::size_t DecodeEntity(std::string_view text, std::size_t i, std::string& out)
{
    // The ';' is looked for only as far as the longest reference we take reaches (a number with
    // a few leading zeros), so a value of many '&' costs no more than its length.
    constexpr std::size_t longest = 12;  // from '&' to ';'
    const std::size_t semicolon = text.substr(i, longest + 1).find(';');
    if (semicolon == std::string_view::npos)
        return 0;
    const std::size_t end = i + semicolon;
    const std::string_view name = text.substr(i + 1, end - i - 1);
    static constexpr struct {
        std::string_view name;
        char byte;
    } named[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& entity : named) {
        if (name == entity.name) {
            out += entity.byte;
            return end - i + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return 0;
    unsigned long code = 0;
    for (char c : digits) {
        const int d = DigitValue(static_cast<unsigned char>(c));
        if (d >= (hex ? 16 : 10))
            return 0;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(d);
        if (code > 0x10FFFF)
            return 0;
    }
    const std::string encoded = Utf8Encode(code);
    if (encoded.empty())
        return 0;
    out += encoded;
    return end - i + 1;
}

std::string DecodeValue(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        if (raw[i] == '&') {
            if (std::size_t used = DecodeEntity(raw, i, out)) {
                i += used;
                continue;
            }
        } else if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            ++i;  // CR LF written literally is one line end
            continue;
        }
        out += raw[i++];
    }
    return out;
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<XmlElement> Document()
    {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = 3;
        std::optional<XmlElement> root;
        while (true) {
            SkipText();
            if (AtEnd())
                break;
            if (!SkipMarkup())
                return std::nullopt;
            if (Peek() == '<') {
                if (root || !Element(root))
                    return std::nullopt;  // a second root or a broken element
            }
        }
        return root;
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    bool StartsWith(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }
    void SkipSpace()
    {
        while (!AtEnd() && IsSpace(Peek()))
            ++pos_;
    }
    // Text outside the root: only blanks belong there; anything else is left for the caller.
    void SkipText() { SkipSpace(); }
    // Text content inside an element: passed over up to the next markup.
    void SkipContent()
    {
        while (!AtEnd() && Peek() != '<')
            ++pos_;
    }
    bool SkipPast(std::string_view end)
    {
        const std::size_t at = text_.find(end, pos_);
        if (at == std::string_view::npos)
            return false;
        pos_ = at + end.size();
        return true;
    }
    bool AtSpecialMarkup() const { return StartsWith("<!") || StartsWith("<?"); }
    // Passes over one comment, processing instruction, CDATA section or declaration; false
    // when it never ends.
    bool SkipOneMarkup()
    {
        if (StartsWith("<!--"))
            return SkipPast("-->");
        if (StartsWith("<![CDATA["))
            return SkipPast("]]>");
        if (StartsWith("<?"))
            return SkipPast("?>");
        return SkipDeclaration();
    }
    // Outside the root: passes over such markup and blanks. False for markup that never ends,
    // or for a byte outside any markup.
    bool SkipMarkup()
    {
        while (AtSpecialMarkup()) {
            if (!SkipOneMarkup())
                return false;
            SkipText();
        }
        return AtEnd() || Peek() == '<';
    }
    // "<!DOCTYPE ...>", with an internal subset in brackets.
    bool SkipDeclaration()
    {
        int brackets = 0;
        for (pos_ += 2; !AtEnd(); ++pos_) {
            const char c = Peek();
            if (c == '[')
                ++brackets;
            else if (c == ']')
                --brackets;
            else if (c == '>' && brackets <= 0) {
                ++pos_;
                return true;
            }
        }
        return false;
    }
    std::string_view Name()
    {
        const std::size_t start = pos_;
        while (!AtEnd() && IsNameByte(Peek()))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // Reads "<tag attr="value" ...>" or "<tag .../>" at the position into `element`; sets
    // `empty` for the second form.
    bool StartTag(XmlElement& element, bool& empty)
    {
        ++pos_;  // '<'
        const std::string_view tag = Name();
        if (tag.empty())
            return false;
        element.tag = std::string(tag);
        while (true) {
            const bool spaced = IsSpace(Peek());
            SkipSpace();
            if (StartsWith("/>")) {
                pos_ += 2;
                empty = true;
                return true;
            }
            if (Peek() == '>') {
                ++pos_;
                empty = false;
                return true;
            }
            const std::string_view name = Name();
            if (!spaced || name.empty())
                return false;
            SkipSpace();
            if (Peek() != '=')
                return false;
            ++pos_;
            SkipSpace();
            const char quote = Peek();
            if (quote != '"' && quote != '\'')
                return false;
            const std::size_t end = text_.find(quote, pos_ + 1);
            if (end == std::string_view::npos)
                return false;
            const std::string_view raw = text_.substr(pos_ + 1, end - pos_ - 1);
            if (raw.find('<') != std::string_view::npos)
                return false;
            element.AddAttribute(std::string(name), DecodeValue(raw));
            pos_ = end + 1;
        }
    }

    // Reads one element with everything inside it. Nesting is kept on a stack of our own and
    // bounded, so neither reading nor destroying the tree of a hostile file can exhaust the
    // call stack.
    bool Element(std::optional<XmlElement>& result)
    {
        std::vector<XmlElement> open;
        while (true) {
            if (StartsWith("</")) {
                if (open.empty())
                    return false;
                pos_ += 2;
                const std::string_view tag = Name();
                SkipSpace();
                if (tag != open.back().tag || Peek() != '>')
                    return false;
                ++pos_;
                XmlElement done = std::move(open.back());
                open.pop_back();
                if (open.empty()) {
                    result = std::move(done);
                    return true;
                }
                open.back().children.push_back(std::move(done));
            } else {
                XmlElement element;
                bool empty = false;
                if (!StartTag(element, empty))
                    return false;
                if (!empty) {
                    if (open.size() >= MaxXmlDepth)
                        return false;
                    open.push_back(std::move(element));
                } else if (open.empty()) {
                    result = std::move(element);
                    return true;
                } else {
                    open.back().children.push_back(std::move(element));
                }
            }
            // Content up to the next tag of this element or of a child.
            while (true) {
                SkipContent();
                if (AtEnd())
                    return false;
                if (!AtSpecialMarkup())
                    break;
                if (!SkipOneMarkup())
                    return false;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string Utf8Encode(unsigned long code)
{
    std::string out;
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::optional<XmlElement> ReadXml(std::string_view text) { return Reader(text).Document(); }

}  // namespace baudrill
