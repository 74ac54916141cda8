#pragma once

#include <QSpinBox>

#include <optional>

namespace baudrill {

// An integer spin box whose field may also be empty ("null"), for values that are optional.
// A box that is not null-able refuses an empty field and keeps its last value, as it
// refuses a number outside its range. A new box is empty and accepts any int but INT_MIN.
class IntSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit IntSpinBox(QWidget* parent = nullptr);

    void setNotNull(bool notNull);
    bool isNotNull() const { return notNull_; }

    bool isNull() const { return null_; }
    // The value, or nothing when the field is empty.
    std::optional<int> data() const;
    // Sets the value (clamped to the range) or, with nothing, empties a null-able box.
    void setData(std::optional<int> data);
    // Hides QSpinBox::setValue so that setting a value also ends an empty field.
    void setValue(int value) { setData(value); }

    // Stepping an empty field shows a number again.
    void stepBy(int steps) override;

signals:
    // data() changed, by the user or by code (fill under a QSignalBlocker to keep quiet).
    void dataChanged();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;

private:
    bool isEmptyText(const QString& text) const;
    void onEditorText(const QString& text);
    void reportChange();

    bool notNull_ = false;
    bool null_ = true;
    std::optional<int> reported_;
};

}  // namespace baudrill
