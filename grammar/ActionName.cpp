#include "grammar/ActionName.h"

#include "grammar/ActionRegistry.h"

namespace baudrill {

ParseAction ActionName::FindParseFunction() const
{
    parse_ = ParseActionRegistry::Instance().Find(name_);
    return parse_;
}

ComposeAction ActionName::FindComposeFunction() const
{
    compose_ = ComposeActionRegistry::Instance().Find(name_);
    return compose_;
}

}  // namespace baudrill
