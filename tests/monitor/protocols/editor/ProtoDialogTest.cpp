// The protocol editor window on protocol files in temporary folders.
#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>

#include "tests/support/monitor/ProtoTestSupport.h"
#include "grammar/BNFarticle.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/ParseContext.h"
#include "monitor/protocols/editor/ProtoDialog.h"
#include "monitor/protocols/ProtoFileFormat.h"

namespace baudrill {
namespace {

using test::ArticleXml;
using test::ProtoFile;
using test::ReadFile;
using test::StoredRecords;
using test::UniqueName;
using test::WriteFile;

struct CountingNotify : ProtoDialog::Notify {
    void ProtocolsChanged() override { ++count; }
    int count = 0;
};

class ProtoDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainName = UniqueName("main");
        lowerName = "bnf" + UniqueName("lower");
        builtinName = "BNF" + UniqueName("upper");
        WriteFile(program.File("Baudrill.proto"),
                  ProtoFile(ArticleXml(mainName, "byte word", "", "the main one") + ArticleXml(lowerName, "byte") +
                            ArticleXml(builtinName, "word")));
        WriteFile(program.File("proto.qtf"), "[* Help] text");
        Open();
    }

    void Open() { dialog = std::make_unique<ProtoDialog>(&notify, program.Path(), user.Path()); }

    int Entry(const std::string& name) const { return dialog->proto.findText(QString::fromStdString(name)); }
    // Selects the entry as the user does.
    void Pick(int entry)
    {
        dialog->proto.setCurrentIndex(entry);
        emit dialog->proto.activated(entry);
    }
    BNFarticle* Current() const { return ProtocolNamespace().Get(dialog->currentUid); }
    int Consumed(const std::string& input) const
    {
        ParseContext ctx(input);
        return Current()->Parse(ctx) ? ctx.state.pos : -1;
    }
    test::TempFolder program;
    test::TempFolder user;
    CountingNotify notify;
    std::unique_ptr<ProtoDialog> dialog;
    std::string mainName, lowerName, builtinName;
};

TEST_F(ProtoDialogTest, OpensWithTheListFilledAndTheEditorsDisabled)
{
    EXPECT_EQ(dialog->windowTitle(), "Defining protocols");
    EXPECT_EQ(notify.count, 1);
    EXPECT_GE(Entry(mainName), 0);
    EXPECT_EQ(Entry(lowerName), Entry(mainName) + 1);
    EXPECT_EQ(Entry(builtinName), -1);
    EXPECT_EQ(dialog->proto.currentIndex(), -1);
    EXPECT_FALSE(dialog->protoName.isEnabled());
    EXPECT_FALSE(dialog->protoDesc.isEnabled());
    EXPECT_FALSE(dialog->protoComment.isEnabled());
    // The delete button stands before the add button.
    ASSERT_EQ(dialog->proto.buttonCount(), 2);
    EXPECT_EQ(dialog->proto.button(0), dialog->deleteButton);
    EXPECT_EQ(dialog->proto.button(1), dialog->addButton);
    EXPECT_EQ(dialog->info.toPlainText(), "Help text");
    EXPECT_EQ(dialog->sectionParser->name, "BNFPROTOparser");
}

TEST_F(ProtoDialogTest, SelectingFillsTheEditorsWithoutRunningTheirHandlers)
{
    Pick(Entry(mainName));
    EXPECT_TRUE(dialog->protoDesc.isEnabled());
    EXPECT_EQ(dialog->protoName.text().toStdString(), mainName);
    EXPECT_EQ(dialog->protoDesc.toPlainText(), "byte word");
    EXPECT_EQ(dialog->protoComment.toPlainText(), "the main one");
    EXPECT_EQ(dialog->ruleState, RuleState::Compiled);
    EXPECT_EQ(notify.count, 2);  // from Validate alone
    EXPECT_EQ(Current()->comment, "the main one");

    // An entry whose protocol is gone: nothing shown, nothing selected.
    ProtocolNamespace().Remove(ProtocolNamespace().Find(dialog->currentUid));
    Pick(Entry(mainName));
    EXPECT_TRUE(dialog->currentUid.IsNull());
    EXPECT_FALSE(dialog->protoDesc.isEnabled());
    EXPECT_EQ(dialog->proto.currentIndex(), -1);
}

TEST_F(ProtoDialogTest, EditingTheRuleShowsWhetherItCompiled)
{
    dialog->addButton->click();
    dialog->protoName.setText(QString::fromStdString(UniqueName("edited")));
    dialog->OnNameEdit();

    dialog->protoDesc.setPlainText("byte ; word");
    EXPECT_EQ(dialog->ruleState, RuleState::Compiled);
    EXPECT_EQ(Consumed("abcd"), 3);

    dialog->protoDesc.setPlainText("byte;");
    EXPECT_EQ(dialog->ruleState, RuleState::Failed);
    EXPECT_EQ(Consumed("abcd"), 1);  // compiled all the same

    const int before = notify.count;
    dialog->protoDesc.clear();
    EXPECT_EQ(dialog->ruleState, RuleState::Failed);
    EXPECT_EQ(Current()->desc, "");
    EXPECT_EQ(Consumed("abcd"), 1);
    EXPECT_EQ(notify.count, before + 1);
}

TEST_F(ProtoDialogTest, AddedProtocolsAreSelectedAndStoredInUserProto)
{
    const int entries = dialog->proto.count();
    dialog->addButton->click();
    EXPECT_EQ(dialog->proto.count(), entries + 1);
    EXPECT_EQ(dialog->proto.currentIndex(), entries);
    EXPECT_EQ(dialog->proto.currentText(), "");
    EXPECT_TRUE(dialog->protoName.isEnabled());
    EXPECT_EQ(dialog->ruleState, RuleState::Failed);
    EXPECT_EQ(notify.count, 2);
    const Uuid added = dialog->currentUid;
    ASSERT_NE(Current(), nullptr);

    const std::string name = UniqueName("typed");
    QTest::keyClicks(&dialog->protoName, QString::fromStdString(name));
    dialog->protoDesc.setPlainText("dword");
    dialog->protoComment.setPlainText("mine");
    EXPECT_EQ(dialog->ruleState, RuleState::Compiled);

    dialog.reset();
    const auto records = StoredRecords(user.File("user.proto"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, name);
    EXPECT_EQ(records[0].desc, "dword");
    EXPECT_EQ(records[0].comment, "mine");
    EXPECT_EQ(records[0].uid, added);
    // The main file keeps its own protocols, the "bnf" and "BNF" ones included.
    EXPECT_EQ(StoredRecords(program.File("Baudrill.proto")).size(), 3u);
}

TEST_F(ProtoDialogTest, RenamingRenamesTheListEntryAtOnce)
{
    Pick(Entry(lowerName));
    const int entry = dialog->proto.currentIndex();
    const int before = notify.count;
    QTest::keyClicks(&dialog->protoName, "X");
    EXPECT_EQ(dialog->proto.itemText(entry).toStdString(), lowerName + "X");
    EXPECT_EQ(dialog->proto.currentIndex(), entry);
    EXPECT_EQ(Current()->name, lowerName + "X");
    EXPECT_EQ(notify.count, before + 1);

    // The next compile uses the new name, and the protocol keeps its uid.
    const Uuid uid = dialog->currentUid;
    dialog->protoDesc.setPlainText("word");
    EXPECT_EQ(dialog->ruleState, RuleState::Compiled);
    EXPECT_EQ(Current()->name, lowerName + "X");
    EXPECT_EQ(dialog->currentUid, uid);
}

TEST_F(ProtoDialogTest, DeletingLeavesTheEditorsDisabledAndTheFileEmpty)
{
    // A file of one protocol, which is deleted.
    const std::string name = UniqueName("doomed");
    WriteFile(user.File("one.proto"), ProtoFile(ArticleXml(name, "byte")));
    dialog.reset();
    Open();
    Pick(Entry(name));
    const Uuid deleted = dialog->currentUid;
    const int before = notify.count;

    dialog->deleteButton->click();
    EXPECT_EQ(Entry(name), -1);
    EXPECT_EQ(dialog->proto.currentIndex(), -1);
    EXPECT_EQ(dialog->proto.shownText(), "");
    EXPECT_EQ(dialog->protoName.text(), "");
    EXPECT_EQ(dialog->protoDesc.toPlainText(), "byte");  // kept, disabled
    EXPECT_FALSE(dialog->protoDesc.isEnabled());
    EXPECT_EQ(dialog->currentUid, deleted);
    EXPECT_EQ(ProtocolNamespace().Find(deleted), -1);
    EXPECT_EQ(notify.count, before + 1);

    // The handlers find nothing now.
    dialog->protoDesc.setPlainText("word");
    dialog->OnNameEdit();
    dialog->OnDelete();
    EXPECT_EQ(notify.count, before + 1);

    dialog.reset();
    const auto records = ReadProtoText(ReadFile(user.File("one.proto")));
    ASSERT_TRUE(records);
    EXPECT_TRUE(records->empty());
}

TEST_F(ProtoDialogTest, ClosingOnlyHides)
{
    dialog->show();
    dialog->okButton.click();
    EXPECT_FALSE(dialog->isVisible());
    dialog->show();
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    Pick(Entry(mainName));
    EXPECT_EQ(dialog->ruleState, RuleState::Compiled);
}

}  // namespace
}  // namespace baudrill
