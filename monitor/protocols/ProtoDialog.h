#pragma once

#include <string>
#include <vector>

#include "grammar/Uuid.h"
#include "monitor/layouts/WithProtoDialogLayout.h"

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

    explicit ProtoDialog(Notify* notify);
    ~ProtoDialog() override;

    void OnSelect();
    void Validate();
    void OnNameEdit();
    void OnCommentEdit();
    void AddProtocol();
    void OnDelete();
    virtual void Close();

    // Protocol files: which file each protocol came from (see the protocols folder).
    struct FileEntry {
        std::string path;
        std::vector<Uuid> uids;  // may hold one uid twice
    };

    Notify* notify;
    Uuid currentUid;
    QToolButton* addButton = nullptr;
    QToolButton* deleteButton = nullptr;
    BNFarticle* sectionParser = nullptr;
    std::string currentFile;
    std::vector<FileEntry> fileUids;
};

// The one protocol editor; made and deleted by the main window.
extern ProtoDialog* theProtoDialog;

}  // namespace baudrill
