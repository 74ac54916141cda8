#pragma once

#include <string>

#include "grammar/Uuid.h"

namespace baudrill {

class BNFarticle;

// The rule of the article "BNFPROTOparser": any number of sections "*** name rule", each of
// which creates the article `name` (or `namespace::name`) and compiles the rule into it.
extern const char* const ProtoSectionRule;

// Creates "BNFPROTOparser" in the namespace "BNF".
BNFarticle* CreateSectionParser();

enum class RuleState {
    NoProtocol,  // no protocol has the uid: nothing was done
    Compiled,    // the whole rule text compiled
    Failed,      // empty, or only part of it (or none) compiled
};

// Stores `ruleText` as the rule text of the protocol `uid` and compiles it through the section
// parser. When the compile created an article of the protocol's name, that article takes the
// protocol's place: it gets its uid, rule text and comment and stands at the end of the
// namespace. Otherwise every article the attempt made is removed and the protocol keeps its
// last compiled form. An empty text is stored and not compiled.
RuleState CompileProtocol(const BNFarticle& sectionParser, const Uuid& uid, const std::string& ruleText);

}  // namespace baudrill
