#include "grammar/ActionRegistry.h"
#include "grammar/GrammarRegistry.h"

namespace baudrill {

namespace {

// The three engine-wide registries, built together on first use. Members are
// destroyed in reverse order, so the articles (and their elements) go after
// both action registries.
struct EngineRegistries {
    GrammarRegistry grammar;
    ParseActionRegistry parse;
    ComposeActionRegistry compose;
};

EngineRegistries& Registries()
{
    static EngineRegistries registries;
    return registries;
}

}  // namespace

GrammarRegistry& GrammarRegistry::Instance() { return Registries().grammar; }

ParseActionRegistry& ParseActionRegistry::Instance() { return Registries().parse; }

ComposeActionRegistry& ComposeActionRegistry::Instance() { return Registries().compose; }

}  // namespace baudrill
