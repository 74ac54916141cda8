#pragma once

#include "grammar/ArrayMap.h"
#include "grammar/GrammarActions.h"

#include <string>
#include <string_view>

namespace baudrill {

// Action name -> function. Registration appends; a name registered twice keeps
// its first function for every lookup. Names compare exactly (case-sensitive).
template <class Action>
class ActionRegistry {
public:
    void Register(std::string name, Action action) { actions_.Add(std::move(name), std::make_unique<Action>(action)); }

    // The first function registered under the name, or null.
    Action Find(std::string_view name) const
    {
        Action* found = actions_.FindPtr(name);
        return found ? *found : nullptr;
    }

    int GetCount() const { return actions_.GetCount(); }

private:
    ArrayMap<std::string, Action> actions_;
};

class ParseActionRegistry : public ActionRegistry<ParseAction> {
public:
    // The engine-wide registry of parse actions.
    static ParseActionRegistry& Instance();
};

class ComposeActionRegistry : public ActionRegistry<ComposeAction> {
public:
    // The engine-wide registry of compose actions.
    static ComposeActionRegistry& Instance();
};

}  // namespace baudrill
