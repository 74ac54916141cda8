#pragma once

#include <cstdint>
#include <string>

#include "grammar/Value.h"
#include "monitor/GuiRunBudget.h"

namespace baudrill {

class BNFarticle;
class ComposeState;
class Uuid;

// The name and the rule of the article that reads a PROTO entry as a list of values. Its name
// begins with "BNF", so it is never listed as a protocol nor written to a protocol file.
inline constexpr const char* ValueListArticleName = "BNFPROTOvarsParser";
inline constexpr const char* ValueListRule = "{<BNFwhite> (str_float | str_int | str_quoted)}";

// The protocol with that Uuid in the namespace "BNF", or null (always null for the null Uuid).
const BNFarticle* FindProtocol(const Uuid& id);

// The value-list article of the namespace "BNF", made on first use with CreateArticle (and made
// again should it ever have been removed).
const BNFarticle& ValueListArticle();

// Reads `text` with the value-list article into `values`; false when the parse fails or runs
// out of steps. The run draws on `stepsLeft` and leaves there what it did not use.
bool ParseValueList(const std::string& text, ValueList& values, std::int64_t& stepsLeft);
inline bool ParseValueList(const std::string& text, ValueList& values)
{
    std::int64_t stepsLeft = GuiRunStepBudget;
    return ParseValueList(text, values, stepsLeft);
}

// Composes `values` with `protocol` and gives the bytes to send: the "\XX" escapes that the
// compose recorded (str_quoted's control characters) become the bytes they stand for, every
// other byte goes out as composed. False, with `bytes` empty, when the compose fails. Manual
// sends and automatic answers both go through here, so a protocol sends the same bytes either way.
// The compose draws on `stepsLeft`, like ParseValueList.
bool ComposeFrame(const BNFarticle& protocol, ValueList values, std::string& bytes, std::int64_t& stepsLeft);
inline bool ComposeFrame(const BNFarticle& protocol, ValueList values, std::string& bytes)
{
    std::int64_t stepsLeft = GuiRunStepBudget;
    return ComposeFrame(protocol, std::move(values), bytes, stepsLeft);
}

}  // namespace baudrill
