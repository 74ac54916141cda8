#pragma once

#include "monitor/widgets/DropList.h"
#include "monitor/widgets/RichTextCtrl.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace baudrill {

// The protocol editor window: the protocol list, name, rule text, comment and help.
class WithProtoDialogLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithProtoDialogLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    DropList proto;
    QPlainTextEdit protoComment;  // wraps its lines, like a document
    QPlainTextEdit protoDesc;     // keeps its lines whole, like code
    RichTextCtrl info;
    QPushButton okButton;
    QLabel dv5;
    QLabel dv6;
    QLabel protoLabel;
    QLineEdit protoName;
};

}  // namespace baudrill
