#pragma once

#include <QObject>

class QWidget;

namespace baudrill {

// A frame of two lines along a control's lower edge (a dark one over a light one), drawn
// over the control after it painted itself; the control's content keeps clear of it.
class BottomSeparatorFrame : public QObject {
    Q_OBJECT
public:
    static constexpr int thickness = 2;

    // Gives `widget` the frame (once; the frame lives as the widget's child).
    static void attach(QWidget* widget);
    static bool isAttached(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BottomSeparatorFrame(QWidget* widget);

    bool painting_ = false;
};

}  // namespace baudrill
