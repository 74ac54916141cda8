#include "monitor/protocols/editor/ProtoDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolButton>

#include "grammar/BNFarticle.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/BuiltinNamespace.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/images/IMG.h"
#include "monitor/files/WholeFile.h"
#include "monitor/protocols/QtfToHtml.h"
#include "platform/AppDataFolder.h"

namespace baudrill {

ProtoDialog* theProtoDialog = nullptr;

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString KeyText(const Uuid& uid) { return QString::fromStdString(uid.ToString()); }

}  // namespace

ProtoDialog::ProtoDialog(Notify* notify)
    : ProtoDialog(notify, QCoreApplication::applicationDirPath().toStdString(), platform::AppDataFolder() + "/Baudrill")
{
}

ProtoDialog::ProtoDialog(Notify* notify, std::string programFolder, std::string userFolder)
    : notify(notify), files(std::move(programFolder), std::move(userFolder))
{
    InitGrammarBuiltins();
    // Each inserted in front, so the delete button stands before the add button.
    addButton = proto.insertButton(0, IMG::add());
    deleteButton = proto.insertButton(0, IMG::del());

    files.LoadAll();

    setWindowTitle(QStringLiteral("Defining protocols"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    LoadHelp();

    okButton.setDefault(true);
    connect(&okButton, &QPushButton::clicked, this, [this] { Close(); });
    connect(&proto, &QComboBox::activated, this, [this] { OnSelect(); });
    connect(&protoName, &QLineEdit::textEdited, this, [this] { OnNameEdit(); });
    // The editors are filled under QSignalBlocker, so these run for the user's edits only.
    connect(&protoDesc, &QPlainTextEdit::textChanged, this, [this] { Validate(); });
    connect(&protoComment, &QPlainTextEdit::textChanged, this, [this] { OnCommentEdit(); });
    connect(addButton, &QToolButton::clicked, this, [this] { AddProtocol(); });
    connect(deleteButton, &QToolButton::clicked, this, [this] { OnDelete(); });

    FillList();
    SetEditorsEnabled(false);
    sectionParser = CreateSectionParser();
    Changed();
}

ProtoDialog::~ProtoDialog()
{
    files.StoreAll();
    ArticleNamespace& protocols = ProtocolNamespace();
    protocols.Remove(protocols.Find(sectionParser->uid));
    if (theProtoDialog == this)
        theProtoDialog = nullptr;
}

void ProtoDialog::FillList()
{
    const QSignalBlocker blocker(proto);
    const ArticleNamespace& protocols = ProtocolNamespace();
    for (int i = 0; i < protocols.GetCount(); ++i) {
        const BNFarticle* article = protocols.At(i);
        if (!IsBuiltinRuleName(article->name))
            proto.addItem(Text(article->name), KeyText(protocols.GetKey(i)));
    }
    proto.setShownText(QString());
}

void ProtoDialog::LoadHelp()
{
    std::string help;
    if (ReadWholeFile(files.ProgramFolder() + "/proto.qtf", help))
        info.setHtml(Text(QtfToHtml(help)));
}

void ProtoDialog::SetEditorsEnabled(bool on)
{
    protoName.setEnabled(on);
    protoDesc.setEnabled(on);
    protoComment.setEnabled(on);
}

void ProtoDialog::ShowRuleState(RuleState state)
{
    ruleState = state;
    protoLabel.setPixmap(QPixmap::fromImage(state == RuleState::Compiled ? IMG::on() : IMG::error()));
}

BNFarticle* ProtoDialog::CurrentArticle() const
{
    return currentUid.IsNull() ? nullptr : ProtocolNamespace().Get(currentUid);
}

int ProtoDialog::FindEntry(const Uuid& uid) const { return uid.IsNull() ? -1 : proto.findData(KeyText(uid)); }

void ProtoDialog::Changed()
{
    if (notify)
        notify->ProtocolsChanged();
}

void ProtoDialog::OnSelect()
{
    const int index = proto.currentIndex();
    if (index < 0)
        return;
    currentUid = Uuid::FromString(proto.itemData(index).toString().toStdString());
    const BNFarticle* article = CurrentArticle();
    const int entry = FindEntry(currentUid);
    if (!article || entry < 0) {
        SetEditorsEnabled(false);
        const QSignalBlocker blocker(proto);
        proto.setShownText(QString());
        currentUid = Uuid();
        return;
    }
    SetEditorsEnabled(true);
    {
        const QSignalBlocker blockList(proto);
        const QSignalBlocker blockName(protoName);
        const QSignalBlocker blockDesc(protoDesc);
        const QSignalBlocker blockComment(protoComment);
        proto.setCurrentIndex(entry);
        protoName.setText(Text(article->name));
        protoDesc.setPlainText(Text(article->desc));
        protoComment.setPlainText(Text(article->comment));
    }
    Validate();
}

void ProtoDialog::Validate()
{
    const RuleState state = CompileProtocol(*sectionParser, currentUid, protoDesc.toPlainText().toStdString());
    if (state == RuleState::NoProtocol)
        return;
    ShowRuleState(state);
    Changed();
}

void ProtoDialog::OnNameEdit()
{
    BNFarticle* article = CurrentArticle();
    if (!article)
        return;
    article->name = protoName.text().toStdString();
    const int entry = FindEntry(currentUid);
    {
        const QSignalBlocker blocker(proto);
        if (entry >= 0) {
            proto.setItemText(entry, Text(article->name));
            proto.setCurrentIndex(entry);
        } else {
            proto.setShownText(Text(article->name));
        }
    }
    Changed();
}

void ProtoDialog::OnCommentEdit()
{
    BNFarticle* article = CurrentArticle();
    if (!article)
        return;
    article->comment = protoComment.toPlainText().toStdString();
    Changed();
}

void ProtoDialog::AddProtocol()
{
    const Uuid uid = CreateArticle(GrammarNamespace, "", "")->uid;
    {
        const QSignalBlocker blocker(proto);
        proto.addItem(QString(), KeyText(uid));
        proto.setCurrentIndex(proto.count() - 1);
    }
    currentUid = uid;
    files.Remember(files.UserProtoPath(), uid);
    OnSelect();
}

void ProtoDialog::OnDelete()
{
    ArticleNamespace& protocols = ProtocolNamespace();
    const int index = currentUid.IsNull() ? -1 : protocols.Find(currentUid);
    if (index < 0)
        return;
    files.Forget(currentUid);
    protocols.Remove(index);
    {
        const QSignalBlocker blockList(proto);
        const QSignalBlocker blockName(protoName);
        const int entry = FindEntry(currentUid);
        if (entry >= 0)
            proto.removeItem(entry);
        proto.setShownText(QString());
        protoName.clear();
    }
    // currentUid keeps the deleted uid: the handlers find nothing until another selection.
    SetEditorsEnabled(false);
    proto.setFocus();
    Changed();
}

void ProtoDialog::Close() { hide(); }

void ProtoDialog::closeEvent(QCloseEvent* event)
{
    Close();
    event->accept();
}

}  // namespace baudrill
