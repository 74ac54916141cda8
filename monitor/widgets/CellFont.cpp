#include "monitor/widgets/CellFont.h"

#include "monitor/text/OemCharset.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <string>

namespace baudrill {

namespace {

// Kept on the application object, so that it goes with it.
constexpr const char* FamilyProperty = "baudrillCellFontFamily";

// Advances are compared at a size of the usual order; they scale with the size.
constexpr int ProbePixelSize = 16;

QString PickFamily()
{
    QStringList candidates{QFontDatabase::systemFont(QFontDatabase::FixedFont).family()};
    QStringList families = QFontDatabase::families();
    // The families that call themselves fixed-pitch are the likeliest.
    std::stable_partition(families.begin(), families.end(),
                          [](const QString& family) { return QFontDatabase::isFixedPitch(family); });
    candidates += families;
    const QString characters = CellCharacters();
    for (const QString& family : candidates) {
        QFont font(family);
        font.setStyleHint(QFont::TypeWriter);
        font.setPixelSize(ProbePixelSize);
        if (AdvancesAlike(font, characters))
            return QFontInfo(font).family();
    }
    return candidates.front();
}

}  // namespace

QString CellFontFamily()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!qobject_cast<QGuiApplication*>(app))
        return QString();
    QVariant family = app->property(FamilyProperty);
    if (!family.isValid()) {
        family = PickFamily();
        app->setProperty(FamilyProperty, family);
    }
    return family.toString();
}

QFont CellFont(int pixelSize)
{
    QFont font(CellFontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(std::max(pixelSize, 1));
    return font;
}

QString CellCharacters()
{
    std::string bytes;
    for (int byte = 0x20; byte <= 0xFF; ++byte)
        bytes += static_cast<char>(byte);
    // Control bytes show as '.', which is among them; so are the digits and the blank.
    return QString::fromStdString(FromOemCharset(bytes));
}

bool AdvancesAlike(const QFont& font, const QString& characters)
{
    const QFontMetricsF metrics(font);
    if (characters.isEmpty())
        return true;
    const qreal first = metrics.horizontalAdvance(characters.front());
    // In a line of them too: no pair may be kerned.
    return first > 0 &&
           std::all_of(characters.begin(), characters.end(),
                       [&](QChar c) { return std::abs(metrics.horizontalAdvance(c) - first) < 0.01; }) &&
           std::abs(metrics.horizontalAdvance(characters) - first * characters.size()) < 0.5;
}

}  // namespace baudrill
