#pragma once

#include <QTextBrowser>

namespace baudrill {

// A read-only rich-text view. Texts in the program's rich-text markup (a bracketed format
// code, a blank, the text, a closing bracket, as "[+70C 41 42]") are kept exactly as given
// and shown as their inner text, literally, in the cell font (CellFont.h); other documents
// are set as HTML, their code (<tt>) in the cell font too.
class RichTextCtrl : public QTextBrowser {
    Q_OBJECT
public:
    explicit RichTextCtrl(QWidget* parent = nullptr);

    void setQtf(const QString& qtf);
    QString qtf() const { return qtf_; }

    // The text shown for a marked-up text: what lies between the format code and the
    // closing bracket, or the whole text when it is not bracketed.
    static QString qtfInnerText(const QString& qtf);

    // Space between the frame and the content, on all four sides.
    void setMargin(int pixels);
    int margin() const;

    // Room outside the text area, for frames drawn on this control.
    using QAbstractScrollArea::setViewportMargins;
    using QAbstractScrollArea::viewportMargins;

private:
    QString qtf_;
};

}  // namespace baudrill
