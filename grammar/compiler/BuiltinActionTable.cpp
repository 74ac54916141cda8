#include "grammar/compiler/BuiltinActionTable.h"

#include "grammar/actions/ValueActions.h"
#include "grammar/compiler/CompilerActions.h"

namespace baudrill {

namespace {

// Value actions in the order of the compose registry, then the rule-compiler
// actions, which exist for parsing only.
constexpr BuiltinAction Actions[] = {
    {"arg", ParseArg, ComposeArg},
    {"hex", ParseHex, ComposeHex},
    {"HEX", ParseHex, ComposeHexUpper},
    {"str_quoted", ParseStrQuoted, ComposeStrQuoted},
    {"str_int", ParseStrInt, ComposeStrInt},
    {"str_float", ParseStrFloat, ComposeStrFloat},
    {"any", ParseAny, ComposeAny},
    {"byte", ParseByte, ComposeByte},
    {"word", ParseWord, ComposeWord},
    {"dword", ParseDword, ComposeDword},
    // No 4-byte floating point: "float" is the 8-byte "double" under a second name.
    {"double", ParseDouble, ComposeDouble},
    {"float", ParseDouble, ComposeDouble},
    {"word_be", ParseWordBe, ComposeWordBe},
    {"dword_be", ParseDwordBe, ComposeDwordBe},
    {"double_be", ParseDoubleBe, ComposeDoubleBe},
    {"float_be", ParseDoubleBe, ComposeDoubleBe},
    {"str_nonctrl", ParseStrNonctrl, ComposeStrNonctrl},
    {"set_rep", ParseSetRep, ComposeSetRep},
    {"rep", ParseRep, ComposeRep},
    {"crc_start", ParseCrcStart, ComposeCrcStart},
    {"crc_end", ParseCrcEnd, ComposeCrcEnd},
    {"crc_modbus", ParseCrcModbus, ComposeCrcModbus},
    {"crc_wake", ParseCrcWake, ComposeCrcWake},
    {"BNFbranch", MetaBranch, nullptr},
    {"BNFbranch_end", MetaBlockEnd, nullptr},
    {"BNFgroup", MetaGroup, nullptr},
    {"BNFgroup_end", MetaGroupEnd, nullptr},
    {"BNFoption", MetaOption, nullptr},
    {"BNFoption_end", MetaBlockEnd, nullptr},
    {"BNFrepeat", MetaRepeat, nullptr},
    {"BNFrepeat_end", MetaBlockEnd, nullptr},
    {"BNFstr", MetaStr, nullptr},
    {"BNFstr10", MetaStr10, nullptr},
    {"BNFterm_end", MetaTermEnd, nullptr},
    {"BNFnonterm_end", MetaNontermEnd, nullptr},
    {"BNFcode_end", MetaCodeEnd, nullptr},
    {"BNFrv", MetaRv, nullptr},
    {"BNFstring", MetaString, nullptr},
    {"BNFdecimal", MetaDecimal, nullptr},
    {"BNFend", MetaEnd, nullptr},
    {"BNFresume", MetaResume, nullptr},
    {"BNFnewScheme", MetaNewScheme, nullptr},
};

}  // namespace

std::span<const BuiltinAction> BuiltinActions() { return Actions; }

}  // namespace baudrill
