#pragma once

#include <string>

#include "grammar/Uuid.h"
#include "monitor/layouts/WithProtoDialogLayout.h"
#include "monitor/protocols/ProtoFileSet.h"
#include "monitor/protocols/ProtoSection.h"

class QCloseEvent;
class QToolButton;

namespace baudrill {

class BNFarticle;

// The window "Defining protocols": adds, names, writes, comments and deletes the user's
// protocols, which are articles of the grammar namespace "BNF". Made once by the main window;
// making it loads every protocol file, deleting it writes them back. Closing it only hides it.
class ProtoDialog : public WithProtoDialogLayout {
    Q_OBJECT
public:
    // Told after every change of the protocols.
    class Notify {
    public:
        virtual ~Notify() = default;
        virtual void ProtocolsChanged() = 0;
    };

    // Protocol files from the executable's folder and the per-user folder.
    explicit ProtoDialog(Notify* notify);
    // Protocol files and help from the given folders (tests use temporary ones).
    ProtoDialog(Notify* notify, std::string programFolder, std::string userFolder);
    ~ProtoDialog() override;

    void OnSelect();
    void Validate();
    void OnNameEdit();
    void OnCommentEdit();
    void AddProtocol();
    void OnDelete();
    virtual void Close();

    Notify* notify;
    Uuid currentUid;
    QToolButton* addButton = nullptr;
    QToolButton* deleteButton = nullptr;
    BNFarticle* sectionParser = nullptr;
    // Which protocols came from which file, and where new ones go.
    ProtoFileSet files;
    // What protoLabel shows: the outcome of the last Validate.
    RuleState ruleState = RuleState::Failed;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FillList();
    void LoadHelp();
    void SetEditorsEnabled(bool on);
    void ShowRuleState(RuleState state);
    // The protocol shown in the editors, or null.
    BNFarticle* CurrentArticle() const;
    // The list entry of the uid, or -1.
    int FindEntry(const Uuid& uid) const;
    void Changed();
};

// The one protocol editor; made and deleted by the main window.
extern ProtoDialog* theProtoDialog;

}  // namespace baudrill
