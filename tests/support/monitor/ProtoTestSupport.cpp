#include "tests/support/monitor/ProtoTestSupport.h"

#include "monitor/protocols/ProtoFileFormat.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace baudrill::test {

namespace fs = std::filesystem;

void WriteFile(const std::string& path, std::string_view text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<ArticleRecord> StoredRecords(const std::string& path)
{
    const auto records = ReadProtoText(ReadFile(path));
    EXPECT_TRUE(records) << path;
    return records ? *records : std::vector<ArticleRecord>{};
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

std::string ProtoFile(std::string_view articles, std::string_view root)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<";
    text += root;
    text += ">\n";
    text += articles;
    text += "</";
    text += root;
    text += ">\n";
    return text;
}

std::string ArticleXml(std::string_view name, std::string_view desc, std::string_view uid, std::string_view comment)
{
    std::string text = "<article name=\"" + std::string(name) + "\" desc=\"" + std::string(desc) + "\" comment=\"" +
                       std::string(comment) + "\"";
    if (!uid.empty())
        text += " uid=\"" + std::string(uid) + "\"";
    return text + "/>\n";
}

std::string UniqueName(std::string_view tag)
{
    static int counter = 0;
    return "p" + std::to_string(++counter) + std::string(tag);
}

}  // namespace baudrill::test
