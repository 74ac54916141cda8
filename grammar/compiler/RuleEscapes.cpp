#include "grammar/compiler/RuleEscapes.h"

#include "grammar/NumberText.h"

namespace baudrill {

std::string UnescapeRuleText(std::string_view run)
{
    std::string out;
    out.reserve(run.size());
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (run[i] == '\\' && run.size() - i > 2) {
            out.push_back(ScanHexByte(run.substr(i + 1, 2)));
            i += 2;
        } else {
            out.push_back(run[i]);
        }
    }
    return out;
}

}  // namespace baudrill
