#include "monitor/traffic/TrafficText.h"

#include <charconv>
#include <cstdio>

namespace baudrill {

std::string RowTimeText(uint32_t tick, uint32_t startTick)
{
    const uint32_t elapsed = tick - startTick;  // unsigned: no negative minutes after 24.8 days
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u.%03u", static_cast<unsigned>(elapsed / 60000 % 60),
                  static_cast<unsigned>(elapsed / 1000 % 60), static_cast<unsigned>(elapsed % 1000));
    return text;
}

namespace {

void AppendHex(std::string& out, int32_t value)
{
    char digits[8];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, static_cast<uint32_t>(value), 16);
    (void)ec;  // eight digits always fit
    out += "0x";
    if (end - digits < 2)
        out += '0';
    out.append(digits, end);
}

}  // namespace

std::string ValuesText(const ValueList& values, bool hex)
{
    std::string text;
    for (const Value& value : values) {
        text += ' ';
        if (hex && value.IsInt())
            AppendHex(text, value.GetInt());
        else
            text += value.ToString();
    }
    return text;
}

std::string LogProtocolText(std::string_view protoName, std::string_view protoValues)
{
    if (protoName.empty() || protoValues.empty())
        return {};
    std::string text(protoName);
    text += " : ";
    text += protoValues;
    return text;
}

}  // namespace baudrill
