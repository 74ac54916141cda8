// Renders every layout and the image list into PNG files, for looking at them:
//   baudrill_layout_screenshots <folder>
// tools/screenshot.sh runs it under a virtual X server.

#include "monitor/grid/view/CellDisplay.h"
#include "monitor/images/IMG.h"
#include "monitor/images/ImageList.h"
#include "monitor/layouts/WithMainLayout.h"
#include "monitor/layouts/WithProtoDialogLayout.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStyleFactory>

#include <cstdio>

namespace baudrill {
namespace {

// Sample cells for the grid: the row number and the cell's size, on the row's paper.
class SampleDisplay : public CellDisplay {
public:
    void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
               unsigned) const override
    {
        painter.fillRect(cell, paper);
        painter.setPen(ink);
        painter.drawText(cell.adjusted(4, 0, 0, 0), Qt::AlignVCenter,
                         QStringLiteral("row %1, %2 px").arg(row).arg(cell.height() + 1));
    }
};

bool save(QWidget& widget, const QDir& folder, const QString& name)
{
    widget.show();
    QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

QImage imageSheet(const ImageList& list)
{
    constexpr int scale = 4;
    constexpr int cellWidth = 40 * scale;
    constexpr int cellHeight = 32 * scale + 24;
    constexpr int perRow = 6;
    const int rows = (list.count() + perRow - 1) / perRow;
    QImage sheet(perRow * cellWidth, rows * cellHeight, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < list.count(); ++i) {
        const QRect cell((i % perRow) * cellWidth, (i / perRow) * cellHeight, cellWidth, cellHeight);
        const QImage image = list.image(i);
        const QRect picture(cell.left() + 8, cell.top() + 8, image.width() * scale, image.height() * scale);
        painter.fillRect(picture, QColor(230, 230, 230));
        painter.drawImage(picture, image);
        painter.drawImage(picture.right() + 8, picture.top(), image);
        painter.setPen(Qt::black);
        painter.drawText(
            cell.left() + 8, cell.bottom() - 6,
            QStringLiteral("%1 %2: %3x%4").arg(i).arg(list.name(i)).arg(image.width()).arg(image.height()));
    }
    return sheet;
}

int run(const QDir& folder)
{
    bool ok = true;

    WithMainLayout main;
    main.setWindowTitle(QStringLiteral("MainLayout"));
    main.protoSendGroup.hide();
    main.hexSendGroup.hide();
    for (const auto& [title, ratio] : {std::pair{"", 4}, {"  Time", 11}, {"  Protocol", 11}, {"  Dump", 90}})
        main.logGrid.addColumn(QString::fromLatin1(title), ratio);
    SampleDisplay sample;
    for (int column = 0; column < main.logGrid.columnCount(); ++column)
        main.logGrid.setDisplay(column, &sample);
    main.logGrid.setRowCount(12);
    for (int row = 0; row < 12; ++row)
        main.logGrid.setRowHeight(row, 18 + 9 * (row % 3));
    main.logGrid.setCursorRow(2);
    for (const char* tab : {"ttyUSB0", "ttyACM1", "+"})
        main.mainTabs.addTab(QString::fromLatin1(tab));
    for (const char* tab : {"ASCII", "HEX", "PROTO"})
        main.sendTabs.addTab(QString::fromLatin1(tab));
    ok &= save(main, folder, QStringLiteral("MainLayout"));
    main.logGrid.clearDisplays();

    WithProtoDialogLayout dialog;
    ok &= save(dialog, folder, QStringLiteral("ProtoDialogLayout"));

    WithSettingsLayout settings;
    ok &= save(settings, folder, QStringLiteral("SettingsLayout"));
    WithSendLayout send;
    ok &= save(send, folder, QStringLiteral("SendLayout"));
    WithProtoLayout proto;
    ok &= save(proto, folder, QStringLiteral("ProtoLayout"));
    WithAsciiLayout ascii;
    ascii.preview.setQtf(QStringLiteral("[+70C 41 42 0D 0A]"));
    ok &= save(ascii, folder, QStringLiteral("AsciiLayout"));
    WithHexLayout hex;
    ok &= save(hex, folder, QStringLiteral("HexLayout"));

    const QString sheetPath = folder.filePath(QStringLiteral("IMG.png"));
    const bool sheetSaved = imageSheet(*IMG::list()).save(sheetPath);
    std::printf("%s %s\n", sheetSaved ? "wrote" : "FAILED", qPrintable(sheetPath));
    ok &= sheetSaved;
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace baudrill

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList args = QApplication::arguments();
    const QDir folder(args.size() > 1 ? args[1] : QStringLiteral("screenshots"));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    return baudrill::run(folder);
}
