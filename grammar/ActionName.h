#pragma once

#include "grammar/GrammarActions.h"

#include <string>
#include <string_view>

namespace baudrill {

// The action name of a code element, together with the action functions found
// under it. The name changes only through assignment, which drops them, so a
// remembered function always belongs to the present name and a run finds it
// without comparing names.
class ActionName {
public:
    ActionName() = default;
    explicit ActionName(std::string name) : name_(std::move(name)) {}
    ActionName(const ActionName&) = default;
    ActionName& operator=(const ActionName&) = default;
    ActionName& operator=(std::string name)
    {
        name_ = std::move(name);
        parse_ = nullptr;
        compose_ = nullptr;
        return *this;
    }

    const std::string& str() const { return name_; }
    operator const std::string&() const { return name_; }
    friend bool operator==(const ActionName& a, std::string_view b) { return a.name_ == b; }

    // The function registered under the name in each direction, or null. Only
    // found functions are remembered: a name registered later is still found.
    ParseAction ParseFunction() const { return parse_ ? parse_ : FindParseFunction(); }
    ComposeAction ComposeFunction() const { return compose_ ? compose_ : FindComposeFunction(); }

private:
    ParseAction FindParseFunction() const;
    ComposeAction FindComposeFunction() const;

    std::string name_;
    mutable ParseAction parse_ = nullptr;
    mutable ComposeAction compose_ = nullptr;
};

}  // namespace baudrill
