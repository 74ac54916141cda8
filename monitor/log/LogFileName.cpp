#include "monitor/log/LogFileName.h"

#include <cstdio>

#include "platform/AppDataFolder.h"

namespace baudrill {

namespace {

std::string_view AfterLast(std::string_view text, char separator)
{
    std::size_t at = text.rfind(separator);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

}  // namespace

std::string DeviceLogName(std::string_view device)
{
    std::string name(AfterLast(AfterLast(device, '/'), '\\'));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

std::string LogBaseName(const std::tm& time)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d", time.tm_year + 1900, time.tm_mon + 1,
                  time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

std::string LogMonthName(const std::tm& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", time.tm_year + 1900, time.tm_mon + 1);
    return text;
}

std::string DefaultLogRoot() { return platform::AppDataFolder() + "/Baudrill/LOG"; }

}  // namespace baudrill
