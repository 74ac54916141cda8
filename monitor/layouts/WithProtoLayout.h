#pragma once

#include "monitor/widgets/DropList.h"
#include "monitor/widgets/IntSpinBox.h"
#include "monitor/widgets/RichTextCtrl.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace baudrill {

// The PROTO send pane: protocol, values to compose, preview, decoding options and the
// automatic answer.
class WithProtoLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithProtoLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    QLabel dv0;
    DropList actionProto;
    QLineEdit entry;
    QLabel actionLabel;
    QLabel dv4;
    QCheckBox isDisplayHex;
    QCheckBox isIgnoreStarting;
    QCheckBox isActionAnswer;
    QPushButton graphButton;
    QLabel dv9;
    QCheckBox isParse;
    DropList proto;
    RichTextCtrl preview;
    IntSpinBox actionDelay;
    QLabel dv14;
    QLabel dv15;
};

}  // namespace baudrill
