#include "monitor/RichTextCtrl.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTextDocument>

namespace baudrill {

RichTextCtrl::RichTextCtrl(QWidget* parent) : QTextBrowser(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setOpenLinks(false);
    setMargin(1);
}

void RichTextCtrl::setQtf(const QString& qtf)
{
    qtf_ = qtf;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(QFontInfo(font()).pixelSize());
    document()->setDefaultFont(fixed);
    setPlainText(qtfInnerText(qtf));
}

QString RichTextCtrl::qtfInnerText(const QString& qtf)
{
    if (!qtf.startsWith(u'[') || !qtf.endsWith(u']'))
        return qtf;
    const qsizetype blank = qtf.indexOf(u' ');
    if (blank < 0)
        return qtf;
    return qtf.mid(blank + 1, qtf.size() - blank - 2);
}

void RichTextCtrl::setMargin(int pixels)
{
    document()->setDocumentMargin(pixels);
}

int RichTextCtrl::margin() const
{
    return static_cast<int>(document()->documentMargin());
}

}  // namespace baudrill
