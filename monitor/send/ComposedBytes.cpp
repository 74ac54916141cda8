#include "monitor/send/ComposedBytes.h"

#include "grammar/NumberText.h"

namespace baudrill {

std::string ResolveComposedEscapes(std::string_view output, const std::vector<std::size_t>& escapes)
{
    std::string bytes;
    bytes.reserve(output.size());
    std::size_t copied = 0;
    for (std::size_t at : escapes) {
        if (at < copied || at > output.size() || output.size() - at < 3 || output[at] != '\\')
            continue;  // not an escape of this output: leave the bytes as they are
        const int high = DigitValue(static_cast<unsigned char>(output[at + 1]));
        const int low = DigitValue(static_cast<unsigned char>(output[at + 2]));
        if (high >= 16 || low >= 16)
            continue;
        bytes.append(output.substr(copied, at - copied));
        bytes.push_back(static_cast<char>(high * 16 + low));
        copied = at + 3;
    }
    bytes.append(output.substr(copied));
    return bytes;
}

}  // namespace baudrill
