// The data files that come with the program: the main protocol file compiles and its Modbus
// protocols read and write real frames; the help converts; both are copied beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/monitor/ProtoTestSupport.h"
#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/protocols/ProtoFileFormat.h"
#include "monitor/protocols/QtfToHtml.h"

namespace baudrill {
namespace {

namespace fs = std::filesystem;

const std::string dataSource = BAUDRILL_DATA_SOURCE;

class ProgramDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGrammarBuiltins();
        const auto read = ReadProtoText(test::ReadFile(dataSource + "/Baudrill.proto"));
        ASSERT_TRUE(read);
        records = *read;
    }

    // The protocol of that name, compiled on its own (every text must compile whole).
    BNFarticle* Compiled(const std::string& name)
    {
        for (const ArticleRecord& record : records) {
            if (record.name != name)
                continue;
            BNFarticle* article = CreateArticle("BNF", test::UniqueName(name), "");
            EXPECT_EQ(CompileRuleText(*article, record.desc), static_cast<int>(record.desc.size()));
            return article;
        }
        ADD_FAILURE() << name << " is missing";
        return CreateArticle("BNF", test::UniqueName("missing"), "");
    }

    std::vector<ArticleRecord> records;
};

std::vector<int> Ints(const ValueList& values)
{
    std::vector<int> ints;
    for (const Value& v : values)
        ints.push_back(v.GetInt());
    return ints;
}

struct Frame {
    const char* protocol;
    std::string bytes;
    std::vector<int> values;
};

TEST_F(ProgramDataTest, EveryProtocolCompilesAndHasItsOwnUid)
{
    ASSERT_GE(records.size(), 3u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Compiled(records[i].name);
        EXPECT_FALSE(records[i].uid.IsNull()) << records[i].name;
        EXPECT_FALSE(records[i].comment.empty()) << records[i].name;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(records[i].uid, records[j].uid);
    }
}

TEST_F(ProgramDataTest, ModbusFramesReadAndWriteWithTheirChecksum)
{
    const Frame frames[] = {
        {"Modbus03Request", std::string("\x01\x03\x00\x00\x00\x01\x84\x0A", 8), {1, 0, 1}},
        {"Modbus03Response", std::string("\x11\x03\x04\x12\x34\xAB\xCD\x11\xE1", 9), {17, 4, 0x1234, 0xABCD}},
        {"Modbus03Response", std::string("\x01\x03\x02\x00\x2A\x39\x9B", 7), {1, 2, 42}},
        {"Modbus03Exception", std::string("\x01\x83\x02\xC0\xF1", 5), {1, 2}},
    };
    for (const Frame& frame : frames) {
        BNFarticle* article = Compiled(frame.protocol);
        ParseContext parse(frame.bytes);
        ASSERT_TRUE(article->Parse(parse)) << frame.protocol;
        EXPECT_EQ(parse.state.pos, static_cast<int>(frame.bytes.size())) << frame.protocol;
        EXPECT_EQ(Ints(parse.state.values), frame.values) << frame.protocol;

        ValueList values(frame.values.begin(), frame.values.end());
        ComposeContext compose(values);
        ASSERT_TRUE(article->Compose(compose)) << frame.protocol;
        EXPECT_EQ(compose.state.output, frame.bytes) << frame.protocol;

        // A damaged checksum is no match.
        std::string damaged = frame.bytes;
        damaged.back() = static_cast<char>(damaged.back() ^ 1);
        ParseContext bad(damaged);
        EXPECT_FALSE(article->Parse(bad)) << frame.protocol;
    }
}

TEST_F(ProgramDataTest, TheHelpConvertsToBalancedHtml)
{
    const std::string html = QtfToHtml(test::ReadFile(dataSource + "/proto.qtf"));
    ASSERT_FALSE(html.empty());
    // Every format bracket was turned into tags; brackets left are the text's own.
    for (const char* code : {"[*", "[C", "[^", "[/", "`"})
        EXPECT_EQ(html.find(code), std::string::npos) << code;
    EXPECT_NE(html.find("<tt>crc_start"), std::string::npos);
    auto count = [&](const std::string& s) {
        std::size_t n = 0;
        for (std::size_t at = html.find(s); at != std::string::npos; at = html.find(s, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<tt>"), count("</tt>"));
    EXPECT_EQ(count("<b>"), count("</b>"));
    EXPECT_EQ(count("<p>"), count("</p>"));
}

TEST_F(ProgramDataTest, BothFilesAreCopiedBesideTheExecutable)
{
    const fs::path folder = fs::read_symlink("/proc/self/exe").parent_path();
    for (const char* name : {"Baudrill.proto", "proto.qtf"}) {
        ASSERT_TRUE(test::FileExists((folder / name).string())) << name;
        EXPECT_EQ(test::ReadFile((folder / name).string()), test::ReadFile(dataSource + "/" + name));
    }
}

}  // namespace
}  // namespace baudrill
