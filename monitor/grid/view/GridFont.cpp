#include "monitor/grid/view/GridFont.h"

#include "monitor/widgets/CellFont.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <optional>

namespace baudrill {

namespace {

// What the fonts are made from; plain values, so nothing here depends on the application.
struct FontBlock {
    QString gridFamily;
    int gridPixelSize = 0;
    qreal gridLetterSpacing = 0;
    int charWidth = 8;
    int lineHeight = 16;
    int stdCellHeight = 16;
    QString protocolFont;  // QFont::toString()
};

std::optional<FontBlock> theBlock;
QObject* blockOwner = nullptr;  // child of the application that made the block

QFont MakeGridFont(const FontBlock& block)
{
    QFont font(block.gridFamily);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (block.gridPixelSize > 0)
        font.setPixelSize(block.gridPixelSize);
    if (block.gridLetterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, block.gridLetterSpacing);
    return font;
}

FontBlock Measure()
{
    FontBlock block;
    const QFont standard = QGuiApplication::font();
    const int standardHeight = QFontInfo(standard).pixelSize();
    block.stdCellHeight = QFontMetrics(standard).height();
    QFont protocol = standard;
    protocol.setPixelSize(std::max(standardHeight - 1, 1));
    block.protocolFont = protocol.toString();

    block.gridFamily = CellFontFamily();
    block.gridPixelSize = standardHeight + 2;
    // The dump is laid out on a grid of whole character cells, and the hit test of the mouse
    // counts in them: a fractional advance would let the drawn text drift off that grid, so
    // the spacing makes every advance the whole width.
    const qreal advance = QFontMetricsF(MakeGridFont(block)).horizontalAdvance(QLatin1Char('0'));
    block.charWidth = std::max(1, static_cast<int>(std::lround(advance)));
    block.gridLetterSpacing = block.charWidth - advance;
    block.lineHeight = QFontMetrics(MakeGridFont(block)).height();
    return block;
}

const FontBlock& Block()
{
    static const FontBlock fallback;
    if (!blockOwner) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!qobject_cast<QGuiApplication*>(app))
            return fallback;
        theBlock = Measure();
        blockOwner = new QObject(app);
        QObject::connect(blockOwner, &QObject::destroyed, [] {
            blockOwner = nullptr;
            theBlock.reset();
        });
    }
    return *theBlock;
}

}  // namespace

QFont GridFont() { return MakeGridFont(Block()); }

int GridCharWidth() { return Block().charWidth; }

int GridLineHeight() { return Block().lineHeight; }

int StdFontCellHeight() { return Block().stdCellHeight; }

QFont ProtocolFont()
{
    QFont font;
    font.fromString(Block().protocolFont);
    return font;
}

}  // namespace baudrill
