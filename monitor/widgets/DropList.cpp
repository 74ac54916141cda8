#include "monitor/widgets/DropList.h"

#include <QIcon>
#include <algorithm>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolButton>

namespace baudrill {

namespace {

QPixmap tinted(const QImage& image, const QColor& color)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    painter.end();
    return QPixmap::fromImage(result);
}

}  // namespace

QIcon monochromeIcon(const QImage& image, const QPalette& palette)
{
    QIcon icon;
    if (image.isNull())
        return icon;
    icon.addPixmap(tinted(image, palette.color(QPalette::Active, QPalette::ButtonText)), QIcon::Normal);
    icon.addPixmap(tinted(image, palette.color(QPalette::Disabled, QPalette::ButtonText)), QIcon::Disabled);
    return icon;
}

DropList::DropList(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!settingShownText_)
            shownText_.clear();
    });
}

QToolButton* DropList::insertButton(int index, const QImage& image)
{
    auto* button = new QToolButton(this);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    if (!image.isNull()) {
        button->setIcon(monochromeIcon(image, palette()));
        button->setIconSize(image.size());
    }
    index = std::clamp(index, 0, buttonCount());
    buttons_.insert(index, button);
    placeButtons();
    button->show();
    updateGeometry();
    update();
    return button;
}

void DropList::setShownText(const QString& text)
{
    settingShownText_ = true;
    setCurrentIndex(-1);
    settingShownText_ = false;
    shownText_ = text;
    update();
}

QString DropList::shownText() const { return currentIndex() >= 0 ? currentText() : shownText_; }

int DropList::buttonsWidth() const { return buttonCount() * height(); }

void DropList::placeButtons()
{
    const int side = height();
    int x = width() - buttonsWidth();
    for (QToolButton* button : buttons_) {
        button->setGeometry(x, 0, side, side);
        x += side;
    }
}

QSize DropList::sizeHint() const
{
    const QSize hint = QComboBox::sizeHint();
    return {hint.width() + buttonCount() * hint.height(), hint.height()};
}

QSize DropList::minimumSizeHint() const
{
    const QSize hint = QComboBox::minimumSizeHint();
    return {hint.width() + buttonCount() * hint.height(), hint.height()};
}

void DropList::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    placeButtons();
}

void DropList::paintEvent(QPaintEvent*)
{
    // The list is drawn in the room left of the buttons.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect.setWidth(std::max(0, width() - buttonsWidth()));
    if (currentIndex() < 0) {
        option.currentText = shownText_;
        option.currentIcon = QIcon();
    }
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace baudrill
