#include "monitor/widgets/IntSpinBox.h"

#include <QLineEdit>

#include <limits>

namespace baudrill {

IntSpinBox::IntSpinBox(QWidget* parent) : QSpinBox(parent)
{
    // INT_MIN stays out: stored files use it as the "no value" mark.
    setRange(std::numeric_limits<int>::min() + 1, std::numeric_limits<int>::max());
    lineEdit()->clear();
    connect(lineEdit(), &QLineEdit::textChanged, this, &IntSpinBox::onEditorText);
    connect(this, &QSpinBox::valueChanged, this, &IntSpinBox::reportChange);
}

void IntSpinBox::setNotNull(bool notNull)
{
    notNull_ = notNull;
    if (notNull_ && null_)
        setData(QSpinBox::value());
}

std::optional<int> IntSpinBox::data() const
{
    if (null_)
        return std::nullopt;
    return QSpinBox::value();
}

void IntSpinBox::setData(std::optional<int> data)
{
    if (!data && notNull_)
        return;
    null_ = !data;
    if (data) {
        QSpinBox::setValue(*data);
        // An unchanged value does not redraw the field; an empty field must show it.
        if (lineEdit()->text() != textFromValue(QSpinBox::value()))
            lineEdit()->setText(textFromValue(QSpinBox::value()));
    } else {
        lineEdit()->clear();
    }
    reportChange();
}

bool IntSpinBox::isEmptyText(const QString& text) const
{
    QString core = text;
    if (core.startsWith(prefix()))
        core.remove(0, prefix().size());
    if (core.endsWith(suffix()))
        core.chop(suffix().size());
    return core.trimmed().isEmpty();
}

QValidator::State IntSpinBox::validate(QString& input, int& pos) const
{
    if (isEmptyText(input))
        return notNull_ ? QValidator::Intermediate : QValidator::Acceptable;
    return QSpinBox::validate(input, pos);
}

void IntSpinBox::fixup(QString& input) const
{
    if (!notNull_ && isEmptyText(input))
        return;
    QSpinBox::fixup(input);
}

int IntSpinBox::valueFromText(const QString& text) const
{
    // An empty field keeps the value underneath; null_ says that none is shown.
    if (isEmptyText(text))
        return QSpinBox::value();
    return QSpinBox::valueFromText(text);
}

QString IntSpinBox::textFromValue(int value) const { return null_ ? QString() : QSpinBox::textFromValue(value); }

void IntSpinBox::stepBy(int steps)
{
    null_ = false;
    QSpinBox::stepBy(steps);
    reportChange();
}

void IntSpinBox::onEditorText(const QString& text)
{
    const bool empty = !notNull_ && isEmptyText(text);
    if (empty != null_) {
        null_ = empty;
        reportChange();
    }
}

void IntSpinBox::reportChange()
{
    const std::optional<int> now = data();
    if (now != reported_) {
        reported_ = now;
        emit dataChanged();
    }
}

}  // namespace baudrill
