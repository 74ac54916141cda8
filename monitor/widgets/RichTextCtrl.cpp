#include "monitor/widgets/RichTextCtrl.h"

#include "monitor/widgets/CellFont.h"

#include <QFontInfo>
#include <QTextDocument>

namespace baudrill {

RichTextCtrl::RichTextCtrl(QWidget* parent) : QTextBrowser(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setOpenLinks(false);
    setMargin(1);
    // Code in documents (the help's) is written in the same cells as the previews.
    document()->setDefaultStyleSheet(QStringLiteral("tt { font-family: '%1'; }").arg(CellFontFamily()));
}

void RichTextCtrl::setQtf(const QString& qtf)
{
    qtf_ = qtf;
    document()->setDefaultFont(CellFont(QFontInfo(font()).pixelSize()));
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

void RichTextCtrl::setMargin(int pixels) { document()->setDocumentMargin(pixels); }

int RichTextCtrl::margin() const { return static_cast<int>(document()->documentMargin()); }

}  // namespace baudrill
