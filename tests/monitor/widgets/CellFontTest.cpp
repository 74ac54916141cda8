#include "monitor/widgets/CellFont.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace baudrill {
namespace {

QFont FontOf(const char* family)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(16);
    return font;
}

// Both faces come with the fonts the program is installed with.
TEST(CellFont, TellsMonospacedFromProportionalByTheAdvances)
{
    ASSERT_EQ(QFontInfo(FontOf("DejaVu Sans Mono")).family(), "DejaVu Sans Mono");
    EXPECT_TRUE(AdvancesAlike(FontOf("DejaVu Sans Mono"), CellCharacters()));
    EXPECT_FALSE(AdvancesAlike(FontOf("DejaVu Sans"), CellCharacters()));
    EXPECT_FALSE(AdvancesAlike(FontOf("DejaVu Sans"), QStringLiteral("iW")));
}

TEST(CellFont, ItsCharactersAdvanceAlikeAtEverySize)
{
    EXPECT_FALSE(CellFontFamily().isEmpty());
    for (const int size : {9, 13, 15, 22})
        EXPECT_TRUE(AdvancesAlike(CellFont(size), CellCharacters())) << size << " px";
}

}  // namespace
}  // namespace baudrill
