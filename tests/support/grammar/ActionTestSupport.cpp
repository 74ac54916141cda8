#include "tests/support/grammar/ActionTestSupport.h"

#include "grammar/ActionRegistry.h"
#include "grammar/NumberText.h"
#include "grammar/compiler/GrammarBuiltins.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace baudrill::test {

std::string Bytes(std::string_view hex)
{
    std::string out;
    int digits = 0;
    unsigned byte = 0;
    for (char c : hex) {
        if (c == ' ')
            continue;
        const unsigned d = c <= '9' ? unsigned(c - '0') : unsigned((c | 0x20) - 'a' + 10);
        byte = byte << 4 | d;
        if (++digits == 2) {
            out += static_cast<char>(byte);
            digits = 0;
            byte = 0;
        }
    }
    EXPECT_EQ(digits, 0) << "odd number of hex digits in " << hex;
    return out;
}

std::string HexDump(std::string_view bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        AppendHexByte(out, c);
    }
    return out;
}

ActionParse RunParse(ParseAction action, std::string_view input, Value arg, int pos)
{
    ParseContext ctx(input);
    ctx.state.pos = pos;
    const bool ok = action(ctx, std::move(arg));
    return {ok, ctx.state.pos, ctx.state.values};
}

ActionCompose RunCompose(ComposeAction action, ValueList values, Value arg, int next)
{
    ComposeContext ctx(std::move(values));
    ctx.state.next = next;
    const bool ok = action(ctx, std::move(arg));
    return {ok, ctx.state.output, ctx.state.next};
}

void ExpectParse(const ParseCase& c)
{
    SCOPED_TRACE(c.name);
    const ActionParse r = RunParse(c.action, c.input, c.arg);
    ASSERT_EQ(r.ok, c.ok);
    if (!c.ok)
        return;
    EXPECT_EQ(r.pos, c.pos);
    ASSERT_EQ(r.values.size(), c.values.size());
    for (std::size_t i = 0; i < c.values.size(); ++i) {
        EXPECT_EQ(r.values[i].GetKind(), c.values[i].GetKind()) << "value " << i;
        EXPECT_EQ(r.values[i], c.values[i]) << "value " << i << ": " << r.values[i].ToString();
    }
}

void ExpectCompose(const ComposeCase& c)
{
    SCOPED_TRACE(c.name);
    const ActionCompose r = RunCompose(c.action, c.values, c.arg);
    ASSERT_EQ(r.ok, c.ok);
    if (!c.ok)
        return;
    EXPECT_EQ(HexDump(r.output), HexDump(c.output)) << "text: " << r.output;
    EXPECT_EQ(r.next, c.next);
}

void RegisterValueActions() { InitGrammarBuiltins(); }

namespace {

class CommaPunct : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
};

bool CNumericUsesComma() { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

}  // namespace

DecimalCommaLocale::DecimalCommaLocale() : savedCLocale_(std::setlocale(LC_ALL, nullptr)), savedGlobal_(std::locale())
{
    // A locale with a facet of its own has no name, so this leaves the C locale alone.
    std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
        if (TryCLocale(name))
            return;
    active_ = BuildLocale();
}

DecimalCommaLocale::~DecimalCommaLocale()
{
    std::setlocale(LC_ALL, savedCLocale_.c_str());
    std::locale::global(savedGlobal_);
    if (built_)
        unsetenv("LOCPATH");
}

bool DecimalCommaLocale::TryCLocale(const char* name)
{
    active_ = std::setlocale(LC_NUMERIC, name) && CNumericUsesComma();
    return active_;
}

bool DecimalCommaLocale::BuildLocale()
{
    if (std::getenv("LOCPATH") || !std::filesystem::exists("/usr/share/i18n/locales/de_DE"))
        return false;
    const std::string& folder = built_.emplace().Path();
    if (folder.empty())
        return false;
    const std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    // localedef warns on some systems yet writes the locale: judge by the result.
    (void)std::system(command.c_str());
    setenv("LOCPATH", folder.c_str(), 1);
    return TryCLocale("de_DE.UTF-8");
}

}  // namespace baudrill::test
