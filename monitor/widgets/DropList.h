#pragma once

#include <QComboBox>
#include <QList>

class QToolButton;

namespace baudrill {

// A drop-down list with small buttons of its own at its right end (the list's extra
// actions, such as "add" or "edit"), and a shown text for a value that is none of its
// entries.
class DropList : public QComboBox {
    Q_OBJECT
public:
    explicit DropList(QWidget* parent = nullptr);

    // Inserts a square button at `index` among the inserted buttons (0 is the leftmost;
    // an index past the end appends). `image` is drawn monochrome in the button's text
    // colour, from its alpha. The list owns the button.
    QToolButton* insertButton(int index, const QImage& image = QImage());
    int buttonCount() const { return static_cast<int>(buttons_.size()); }
    QToolButton* button(int index) const { return buttons_.value(index); }

    // Selects no entry and shows `text` instead. Selecting an entry (or clearing the list)
    // forgets the text.
    void setShownText(const QString& text);
    // The selected entry's text, or the shown text when no entry is selected.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int buttonsWidth() const;
    void placeButtons();

    QList<QToolButton*> buttons_;
    QString shownText_;
    bool settingShownText_ = false;
};

// An icon that draws `image` in the palette's button-text colour, greyed when disabled.
QIcon monochromeIcon(const QImage& image, const QPalette& palette);

}  // namespace baudrill
