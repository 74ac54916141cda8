#pragma once

#include "monitor/widgets/ButtonOption.h"
#include "monitor/widgets/IntSpinBox.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>

namespace baudrill {

// The send button pane: the Send/Stop button and the repeat options.
class WithSendLayout : public QWidget {
    Q_OBJECT
public:
    explicit WithSendLayout(LayoutZoom zoom = LayoutZoom::standard(), QWidget* parent = nullptr);

    ButtonOption sendButton;
    QCheckBox isRepeat;
    QLabel dv2;
    IntSpinBox repeatPeriod;
};

}  // namespace baudrill
