// The protocol files: load order, what is remembered under each file, and storing them back.
#include <gtest/gtest.h>

#include "monitor/files/WholeFile.h"

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/monitor/ProtoTestSupport.h"
#include "grammar/BNFarticle.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/protocols/ProtoFileFormat.h"
#include "monitor/protocols/ProtoFileSet.h"

namespace baudrill {
namespace {

using test::ArticleXml;
using test::FileExists;
using test::ProtoFile;
using test::ReadFile;
using test::StoredRecords;
using test::UniqueName;
using test::WriteFile;

namespace fs = std::filesystem;

constexpr const char* uidA = "11111111-2222-3333-4444-555555555555";

class ProtoFileSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGrammarBuiltins();
        startCount = ProtocolNamespace().GetCount();
    }

    // The names of the articles that loading added, in namespace order.
    std::vector<std::string> LoadedNames() const
    {
        std::vector<std::string> names;
        const ArticleNamespace& ns = ProtocolNamespace();
        for (int i = startCount; i < ns.GetCount(); ++i)
            names.push_back(ns.At(i)->name);
        return names;
    }

    test::TempFolder program;
    test::TempFolder user;
    ProtoFileSet files{program.Path(), user.Path()};
    int startCount = 0;
};

TEST_F(ProtoFileSetTest, LoadsTheMainFileFirstAndOnceThenTheUserFolderThenTheProgramFolder)
{
    const std::string m = UniqueName("main"), u = UniqueName("user"), o = UniqueName("other");
    WriteFile(program.File("Baudrill.proto"), ProtoFile(ArticleXml(m, "byte")));
    WriteFile(user.File("mine.proto"), ProtoFile(ArticleXml(u, "word")));
    WriteFile(program.File("extra.proto"), ProtoFile(ArticleXml(o, "dword")));
    WriteFile(program.File("notes.txt"), ProtoFile(ArticleXml(UniqueName("txt"), "byte")));
    fs::create_directory(program.File("folder.proto"));

    files.LoadAll();

    EXPECT_EQ(LoadedNames(), (std::vector<std::string>{m, u, o}));
    ASSERT_EQ(files.Files().size(), 3u);
    EXPECT_EQ(files.Files()[0].path, program.File("Baudrill.proto"));
    EXPECT_EQ(files.Files()[1].path, user.File("mine.proto"));
    EXPECT_EQ(files.Files()[2].path, program.File("extra.proto"));
    // Each protocol is compiled and carries its rule text and uid.
    const BNFarticle* main = ProtocolNamespace().At(startCount);
    EXPECT_EQ(main->desc, "byte");
    EXPECT_EQ(files.Files()[0].uids, std::vector<Uuid>{main->uid});
}

// 1.6 KB of rules that stop at unclosed brackets behind '|' once made 872 MB of elements.
TEST_F(ProtoFileSetTest, RulesThatStopAtUnclosedBracketsLoadSmall)
{
    std::string rule;
    for (int i = 0; i < 16; ++i)
        rule += "|[";
    std::string articles;
    for (int i = 0; i < 20; ++i)
        articles += ArticleXml(UniqueName("nested"), rule);
    WriteFile(program.File("Baudrill.proto"), ProtoFile(articles));

    files.LoadAll();

    ASSERT_EQ(LoadedNames().size(), 20u);
    std::size_t elements = 0;
    for (int i = startCount; i < ProtocolNamespace().GetCount(); ++i)
        elements += ProtocolNamespace().At(i)->elements.size();
    EXPECT_LE(elements, 20 * (3 + 6 * rule.size()));
}

TEST_F(ProtoFileSetTest, AFileReachedTwiceIsLoadedOnce)
{
    // The per-user folder is the program folder, and a link points at the main file.
    const std::string m = UniqueName("main");
    WriteFile(program.File("Baudrill.proto"), ProtoFile(ArticleXml(m, "byte")));
    fs::create_symlink(program.File("Baudrill.proto"), program.File("link.proto"));
    ProtoFileSet same(program.Path(), program.Path() + "/.");

    same.LoadAll();

    EXPECT_EQ(LoadedNames(), std::vector<std::string>{m});
    EXPECT_EQ(same.Files().size(), 1u);
    EXPECT_FALSE(same.LoadFile(program.File("Baudrill.proto")));
}

TEST_F(ProtoFileSetTest, MissingUidsGetOneAndTakenUidsAFreshOne)
{
    const std::string n1 = UniqueName("a"), n2 = UniqueName("b"), n3 = UniqueName("c"), n4 = UniqueName("d");
    WriteFile(user.File("one.proto"),
              ProtoFile(ArticleXml(n1, "byte", uidA) + ArticleXml(n2, "word", uidA) + ArticleXml(n3, "dword")));
    WriteFile(user.File("two.proto"), ProtoFile(ArticleXml(n4, "byte", uidA, "copied")));
    files.ScanFolder(user.Path(), "");
    ASSERT_EQ(LoadedNames().size(), 4u);

    // Four protocols, four uids, the first keeps the one in its file.
    std::vector<Uuid> uids;
    for (const auto& file : files.Files())
        uids.insert(uids.end(), file.uids.begin(), file.uids.end());
    ASSERT_EQ(uids.size(), 4u);
    for (std::size_t i = 0; i < uids.size(); ++i) {
        EXPECT_FALSE(uids[i].IsNull());
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(uids[i], uids[j]);
    }

    EXPECT_EQ(files.StoreAll(), 0);
    const auto one = StoredRecords(user.File("one.proto"));
    const auto two = StoredRecords(user.File("two.proto"));
    ASSERT_EQ(one.size(), 3u);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(one[0].uid.ToString(), uidA);
    // Every protocol is written back with its own content, under the uid it was given.
    EXPECT_EQ(one[1].name, n2);
    EXPECT_EQ(one[1].desc, "word");
    EXPECT_EQ(one[2].name, n3);
    EXPECT_EQ(two[0].name, n4);
    EXPECT_EQ(two[0].comment, "copied");
    const std::vector<Uuid> stored = {one[0].uid, one[1].uid, one[2].uid, two[0].uid};
    EXPECT_EQ(stored, uids);
}

TEST_F(ProtoFileSetTest, StoresUnderTheBaudrillRootWhateverTheNames)
{
    const std::string path = user.File("odd.proto");
    // The "bnf" and "BNF" protocols are the user's own: they are written back too.
    WriteFile(path, ProtoFile(ArticleXml("bnf" + UniqueName("x"), "byte", "", "one") + "<other/>\n" +
                                  ArticleXml("BNF" + UniqueName("y"), "word"),
                              "SOMETHING"));
    ASSERT_TRUE(files.LoadFile(path));
    ASSERT_EQ(files.StoreAll(), 0);

    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("<BAUDRILL>"), std::string::npos);
    EXPECT_EQ(text.find("SOMETHING"), std::string::npos);
    const auto records = StoredRecords(path);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].comment, "one");
    EXPECT_EQ(records[0].uid, files.Files()[0].uids[0]);
    EXPECT_EQ(records[1].desc, "word");
}

TEST_F(ProtoFileSetTest, AFileWhoseProtocolsWereAllDeletedKeepsAnEmptyRoot)
{
    const std::string path = user.File("gone.proto");
    WriteFile(path, ProtoFile(ArticleXml(UniqueName("a"), "byte") + ArticleXml(UniqueName("b"), "word")));
    ASSERT_TRUE(files.LoadFile(path));
    ArticleNamespace& ns = ProtocolNamespace();
    for (const Uuid uid : std::vector<Uuid>(files.Files()[0].uids)) {
        files.Forget(uid);
        ns.Remove(ns.Find(uid));
    }
    ASSERT_EQ(files.StoreAll(), 0);
    EXPECT_TRUE(FileExists(path));
    const auto records = ReadProtoText(ReadFile(path));
    ASSERT_TRUE(records);
    EXPECT_TRUE(records->empty());
}

TEST_F(ProtoFileSetTest, FilesWithoutProtocolsOrUnreadableAreNotRemembered)
{
    WriteFile(user.File("empty.proto"), ProtoFile(""));
    WriteFile(user.File("broken.proto"), "<BAUDRILL><article name=\"x\">");
    files.ScanFolder(user.Path(), "");
    EXPECT_TRUE(files.Files().empty());
    EXPECT_TRUE(LoadedNames().empty());
    EXPECT_FALSE(files.LoadFile(user.File("missing.proto")));
}

TEST_F(ProtoFileSetTest, NewProtocolsGoToUserProtoWhichIsMadeWhenMissing)
{
    test::TempFolder base;
    ProtoFileSet fresh(program.Path(), base.File("Baudrill"));  // the folder does not exist yet
    EXPECT_EQ(fresh.UserProtoPath(), base.File("Baudrill") + "/user.proto");
    BNFarticle* added = CreateArticle("BNF", UniqueName("new"), "byte");
    added->desc = "byte";
    fresh.Remember(fresh.UserProtoPath(), added->uid);

    ASSERT_EQ(fresh.StoreAll(), 0);
    const auto records = StoredRecords(fresh.UserProtoPath());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, added->name);
    EXPECT_EQ(records[0].uid, added->uid);
}

TEST_F(ProtoFileSetTest, AnUnreadableFileIsKeptAsBakBeforeItIsReplaced)
{
    const std::string broken = "<BAUDRILL><article name=\"half";
    WriteFile(files.UserProtoPath(), broken);
    files.LoadAll();
    EXPECT_TRUE(files.Files().empty());

    BNFarticle* added = CreateArticle("BNF", UniqueName("new"), "");
    files.Remember(files.UserProtoPath(), added->uid);
    ASSERT_EQ(files.StoreAll(), 0);
    EXPECT_EQ(ReadFile(files.UserProtoPath() + ".bak"), broken);
    EXPECT_EQ(StoredRecords(files.UserProtoPath()).size(), 1u);
}

TEST_F(ProtoFileSetTest, AStoreThatCannotBeWrittenKeepsTheOldFile)
{
    const std::string path = CanonicalPath(user.File("kept.proto"));
    const std::string old = ProtoFile(ArticleXml(UniqueName("a"), "byte"));
    WriteFile(path, old);
    ASSERT_TRUE(files.LoadFile(path));
    ProtocolNamespace().At(ProtocolNamespace().GetCount() - 1)->desc = "changed";
    // The temporary file cannot be made where a folder of its name stands.
    fs::create_directory(TemporaryFileFor(path));

    EXPECT_EQ(files.StoreAll(), 1);
    EXPECT_EQ(ReadFile(path), old);

    fs::remove(TemporaryFileFor(path));
    EXPECT_EQ(files.StoreAll(), 0);
    EXPECT_EQ(StoredRecords(path)[0].desc, "changed");
    EXPECT_FALSE(FileExists(TemporaryFileFor(path)));
}

TEST_F(ProtoFileSetTest, StoringThroughALinkKeepsTheLinkAndThePermissions)
{
    const std::string real = program.File("real.proto");
    const std::string link = user.File("link.proto");
    WriteFile(real, ProtoFile(ArticleXml(UniqueName("a"), "byte")));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real, link);
    ASSERT_TRUE(files.LoadFile(link));
    ProtocolNamespace().At(ProtocolNamespace().GetCount() - 1)->desc = "word";

    ASSERT_EQ(files.StoreAll(), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(StoredRecords(real)[0].desc, "word");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ProtoFileSetTest, ForgetTakesTheUidFromTheFirstFileOnly)
{
    const Uuid uid = Uuid::Create();
    files.Remember(user.File("a.proto"), uid);
    files.Remember(user.File("b.proto"), uid);
    files.Remember(user.Path() + "/./a.proto", uid);  // the same file by another name
    ASSERT_EQ(files.Files().size(), 2u);
    EXPECT_EQ(files.Files()[0].uids.size(), 2u);
    files.Forget(uid);
    EXPECT_EQ(files.Files()[0].uids.size(), 1u);
    EXPECT_EQ(files.Files()[1].uids.size(), 1u);
}

}  // namespace
}  // namespace baudrill
