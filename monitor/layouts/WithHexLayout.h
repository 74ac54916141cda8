#pragma once

#include "monitor/widgets/RichTextCtrl.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace baudrill {

// The HEX send pane: the hexadecimal text to send and the bytes' preview.
class WithHexLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithHexLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    QLabel dv0;
    QLineEdit entry;
    RichTextCtrl preview;
    QPushButton attachButton;
};

}  // namespace baudrill
