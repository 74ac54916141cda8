#pragma once

#include "monitor/widgets/RichTextCtrl.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace baudrill {

// The ASCII send pane: the text to send, CR and LF options and the bytes' preview.
class WithAsciiLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithAsciiLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    QLabel dv0;
    QLineEdit entry;
    QCheckBox isCR;
    QCheckBox isLF;
    RichTextCtrl preview;
    QPushButton attachButton;
};

}  // namespace baudrill
