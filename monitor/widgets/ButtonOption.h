#pragma once

#include <QToolButton>

namespace baudrill {

// A push button that stays pressed until it is clicked again (an option shown as a button).
class ButtonOption : public QToolButton {
    Q_OBJECT
public:
    explicit ButtonOption(QWidget* parent = nullptr) : QToolButton(parent) { setCheckable(true); }
};

}  // namespace baudrill
