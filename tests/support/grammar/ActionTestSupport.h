#pragma once

// Helpers for the value-action tests: byte strings written in hexadecimal,
// one-call action runs on a fresh context, case tables for both directions,
// the actions registered under their rule names, and a decimal-comma locale.

#include "grammar/ComposeContext.h"
#include "grammar/GrammarActions.h"
#include "grammar/ParseContext.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <locale>
#include <optional>
#include <string>
#include <string_view>

namespace baudrill::test {

// "01 03 0A" -> the three bytes; blanks are ignored.
std::string Bytes(std::string_view hex);
// The bytes as "01 03 0A", for readable failures.
std::string HexDump(std::string_view bytes);

// One action on a fresh context (input from `pos`, or values from `next`).
struct ActionParse {
    bool ok;
    int pos;
    ValueList values;
};
ActionParse RunParse(ParseAction action, std::string_view input, Value arg = Value(0), int pos = 0);

struct ActionCompose {
    bool ok;
    std::string output;
    int next;
};
ActionCompose RunCompose(ComposeAction action, ValueList values, Value arg = Value(0), int next = 0);

// A row of a parse table: on success `pos` and the values appended are checked.
struct ParseCase {
    const char* name;
    ParseAction action;
    std::string input;
    Value arg;
    bool ok;
    int pos = 0;
    ValueList values = {};
};
void ExpectParse(const ParseCase& c);

// A row of a compose table: on success the output and `next` are checked.
struct ComposeCase {
    const char* name;
    ComposeAction action;
    ValueList values;
    Value arg;
    bool ok;
    std::string output = {};
    int next = 0;
};
void ExpectCompose(const ComposeCase& c);

// Registers the value actions under the names rules call them by, through the
// engine's own built-in table.
void RegisterValueActions();

// Switches the C library and the C++ global locale to a decimal comma for its
// lifetime. The C side uses an installed locale, or builds one with localedef
// in a temporary folder; CommaActive() is false when neither was possible.
class DecimalCommaLocale {
public:
    DecimalCommaLocale();
    ~DecimalCommaLocale();
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool CommaActive() const { return active_; }

private:
    bool TryCLocale(const char* name);
    bool BuildLocale();

    std::string savedCLocale_;
    std::locale savedGlobal_;
    std::optional<TempFolder> built_;  // the locale built with localedef
    bool active_ = false;
};

}  // namespace baudrill::test
