#pragma once

#include <QTabBar>

#include <functional>

namespace baudrill {

// A tab bar that tells its owner about every left button press, after the bar has handled
// the press itself (so the tab under the mouse is already selected and currentChanged has
// been emitted).
class TabBarLeftDown : public QTabBar {
    Q_OBJECT
public:
    explicit TabBarLeftDown(QWidget* parent = nullptr);

    // Assigned, not connected: setting it replaces the previous handler. Empty at first.
    std::function<void()> WhenLeftDown;

protected:
    // The left-down handling: the bar's own press handling first, then WhenLeftDown.
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace baudrill
