#include "monitor/layouts/AnchorLayout.h"
#include "monitor/layouts/BottomSeparatorFrame.h"
#include "monitor/layouts/WithMainLayout.h"
#include "monitor/layouts/WithProtoDialogLayout.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>

#include <climits>

namespace baudrill {
namespace {

using test::unitZoom;

struct Item {
    QWidget* member;
    const char* id;
    const char* className;
    const char* text = "";
};

QString shownText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return {};
}

// Each member is the layout's item of its index, is found by its id among the owner's
// children, and has its class and text.
void expectItems(const QWidget& owner, const char* layoutName, std::initializer_list<Item> items)
{
    const auto* layout = qobject_cast<const AnchorLayout*>(owner.layout());
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->objectName(), QLatin1String(layoutName));
    ASSERT_EQ(layout->count(), static_cast<int>(items.size()));
    int index = 0;
    for (const Item& item : items) {
        SCOPED_TRACE(item.id);
        EXPECT_EQ(layout->itemAt(index)->widget(), item.member) << "item " << index;
        EXPECT_EQ(item.member->objectName(), QLatin1String(item.id));
        EXPECT_EQ(owner.findChild<QWidget*>(QLatin1String(item.id), Qt::FindDirectChildrenOnly), item.member);
        EXPECT_STREQ(item.member->metaObject()->className(), item.className);
        EXPECT_EQ(shownText(item.member), QString::fromUtf8(item.text));
        ++index;
    }
}

bool hasEditFieldFrame(const QFrame& frame)
{
    return frame.frameShape() == QFrame::StyledPanel && frame.frameShadow() == QFrame::Sunken;
}

bool isRightAligned(const QLabel& label) { return (label.alignment() & Qt::AlignRight) != 0; }

TEST(LayoutItemsTest, MainLayout)
{
    WithMainLayout w(unitZoom);
    EXPECT_EQ(w.objectName(), "MainLayout");
    expectItems(w, "MainLayout",
                {
                    {&w.sendTabs, "sendTabs", "QTabBar"},
                    {&w.mainTabs, "mainTabs", "baudrill::TabBarLeftDown"},
                    {&w.logGrid, "logGrid", "baudrill::SerPortCtrl"},
                    {&w.profileTabs, "profileTabs", "QTabBar"},
                    {&w.protoSendGroup, "protoSendGroup", "baudrill::WithProtoLayout"},
                    {&w.asciiSendGroup, "asciiSendGroup", "baudrill::WithAsciiLayout"},
                    {&w.hexSendGroup, "hexSendGroup", "baudrill::WithHexLayout"},
                    {&w.mainToolbar, "mainToolbar", "QToolBar"},
                    {&w.settingsGroup, "settingsGroup", "baudrill::WithSettingsLayout"},
                    {&w.sendGroup, "sendGroup", "baudrill::WithSendLayout"},
                });
    EXPECT_TRUE(hasEditFieldFrame(w.logGrid));
    for (QWidget* framed : {static_cast<QWidget*>(&w.protoSendGroup), static_cast<QWidget*>(&w.asciiSendGroup),
                            static_cast<QWidget*>(&w.hexSendGroup), static_cast<QWidget*>(&w.mainToolbar),
                            static_cast<QWidget*>(&w.settingsGroup), static_cast<QWidget*>(&w.sendGroup)}) {
        EXPECT_TRUE(BottomSeparatorFrame::isAttached(framed)) << framed->objectName().toStdString();
        EXPECT_EQ(framed->contentsMargins().bottom(), BottomSeparatorFrame::thickness);
    }
    EXPECT_FALSE(BottomSeparatorFrame::isAttached(&w.logGrid));
    // The panes keep their own layout's name as the layout id.
    EXPECT_EQ(w.sendGroup.layout()->objectName(), "SendLayout");
}

TEST(LayoutItemsTest, SettingsLayout)
{
    WithSettingsLayout w(unitZoom);
    expectItems(w, "SettingsLayout",
                {
                    {&w.stopBitsLabel, "stopBitsLabel", "QLabel", "Stop bits"},
                    {&w.settingBaud, "settingBaud", "baudrill::DropList"},
                    {&w.baudLabel, "baudLabel", "QLabel", "Baud"},
                    {&w.settingStop2, "settingStop2", "baudrill::ButtonOption"},
                    {&w.stateDCD, "stateDCD", "baudrill::ButtonOption"},
                    {&w.stateCTS, "stateCTS", "baudrill::ButtonOption"},
                    {&w.stateDSR, "stateDSR", "baudrill::ButtonOption"},
                    {&w.stateDTR, "stateDTR", "baudrill::ButtonOption"},
                    {&w.stateRNG, "stateRNG", "baudrill::ButtonOption"},
                    {&w.stateRTS, "stateRTS", "baudrill::ButtonOption"},
                    {&w.settingStop1, "settingStop1", "baudrill::ButtonOption"},
                    {&w.settingStop0, "settingStop0", "baudrill::ButtonOption"},
                    {&w.wordLabel, "wordLabel", "QLabel", "Word"},
                    {&w.settingWord2, "settingWord2", "baudrill::ButtonOption"},
                    {&w.settingWord1, "settingWord1", "baudrill::ButtonOption"},
                    {&w.settingWord0, "settingWord0", "baudrill::ButtonOption"},
                    {&w.flowLabel, "flowLabel", "QLabel", "Flow"},
                    {&w.parityLabel, "parityLabel", "QLabel", "Parity"},
                    {&w.settingParity2, "settingParity2", "baudrill::ButtonOption"},
                    {&w.settingParity1, "settingParity1", "baudrill::ButtonOption"},
                    {&w.flowRTSCTS, "flowRTSCTS", "baudrill::ButtonOption"},
                    {&w.flowXONXOFF, "flowXONXOFF", "baudrill::ButtonOption"},
                    {&w.flowNone, "flowNone", "baudrill::ButtonOption"},
                    {&w.settingParity0, "settingParity0", "baudrill::ButtonOption"},
                    {&w.statusButton, "statusButton", "baudrill::ButtonOption"},
                    {&w.statusLabel, "statusLabel", "QLabel"},
                });
    for (QLabel* label : {&w.stopBitsLabel, &w.baudLabel, &w.wordLabel, &w.flowLabel, &w.parityLabel})
        EXPECT_TRUE(isRightAligned(*label)) << label->objectName().toStdString();
    EXPECT_FALSE(isRightAligned(w.statusLabel));
    for (auto* option : w.findChildren<ButtonOption*>())
        EXPECT_TRUE(option->isCheckable()) << option->objectName().toStdString();
}

TEST(LayoutItemsTest, SendLayout)
{
    WithSendLayout w(unitZoom);
    expectItems(w, "SendLayout",
                {
                    {&w.sendButton, "sendButton", "baudrill::ButtonOption"},
                    {&w.isRepeat, "isRepeat", "QCheckBox", "repeat every"},
                    {&w.dv2, "dv___2", "QLabel", "msec"},
                    {&w.repeatPeriod, "repeatPeriod", "baudrill::IntSpinBox"},
                });
    EXPECT_TRUE(w.sendButton.isCheckable());
    EXPECT_FALSE(isRightAligned(w.dv2));
}

TEST(LayoutItemsTest, RepeatPeriodTakesOneToAMillionAndNeverEmpty)
{
    WithSendLayout w(unitZoom);
    IntSpinBox& period = w.repeatPeriod;
    EXPECT_EQ(period.minimum(), 1);
    EXPECT_EQ(period.maximum(), 1000000);
    EXPECT_TRUE(period.isNotNull());
    EXPECT_FALSE(period.isNull());

    period.setValue(200);
    for (const char* refused : {"0", "", "1000001", "-5"}) {
        period.findChild<QLineEdit*>()->setText(QString::fromLatin1(refused));
        period.interpretText();
        EXPECT_EQ(period.data(), 200) << '"' << refused << '"';
    }
    for (int accepted : {1, 1000000}) {
        period.findChild<QLineEdit*>()->setText(QString::number(accepted));
        period.interpretText();
        EXPECT_EQ(period.data(), accepted);
    }
}

TEST(LayoutItemsTest, ProtoLayout)
{
    WithProtoLayout w(unitZoom);
    expectItems(
        w, "ProtoLayout",
        {
            {&w.dv0, "dv___0", "QLabel", "Send"},
            {&w.actionProto, "actionProto", "baudrill::DropList"},
            {&w.entry, "entry", "QLineEdit"},
            {&w.actionLabel, "actionLabel", "QLabel", "Action"},
            {&w.dv4, "dv___4", "QLabel", "Receive"},
            {&w.isDisplayHex, "isDisplayHex", "QCheckBox", "Display hex ints"},
            {&w.isIgnoreStarting, "isIgnoreStarting", "QCheckBox", "Ignore starting junk"},
            {&w.isActionAnswer, "isActionAnswer", "QCheckBox", "Send answer using protocol:"},
            {&w.graphButton, "graphButton", "QPushButton"},
            {&w.dv9, "dv___9", "QLabel",
             "Select protocol, then enter parameters. If parameters match protocol, output bytes are constructed."},
            {&w.isParse, "isParse", "QCheckBox", "Parse"},
            {&w.proto, "proto", "baudrill::DropList"},
            {&w.preview, "preview", "baudrill::RichTextCtrl"},
            {&w.actionDelay, "actionDelay", "baudrill::IntSpinBox"},
            {&w.dv14, "dv___14", "QLabel", "with delay"},
            {&w.dv15, "dv___15", "QLabel", "ms"},
        });
    for (QLabel* label : {&w.dv0, &w.actionLabel, &w.dv4})
        EXPECT_TRUE(isRightAligned(*label)) << label->objectName().toStdString();
    EXPECT_TRUE(hasEditFieldFrame(w.preview));
    EXPECT_EQ(w.dv9.palette().color(QPalette::WindowText), QColor(129, 129, 129));
    EXPECT_EQ(w.dv9.font().pixelSize(), 9);
    EXPECT_EQ(w.entry.maxLength(), INT_MAX);
    // The answer delay may be left empty.
    EXPECT_FALSE(w.actionDelay.isNotNull());
    w.actionDelay.setValue(100);
    w.actionDelay.findChild<QLineEdit*>()->clear();
    w.actionDelay.interpretText();
    EXPECT_EQ(w.actionDelay.data(), std::nullopt);
}

TEST(LayoutItemsTest, HintFontFollowsTheZoom)
{
    WithProtoLayout w({1.0, 2.0});
    EXPECT_EQ(w.dv9.font().pixelSize(), 18);
}

TEST(LayoutItemsTest, AsciiLayout)
{
    WithAsciiLayout w(unitZoom);
    expectItems(w, "AsciiLayout",
                {
                    {&w.dv0, "dv___0", "QLabel", "Send"},
                    {&w.entry, "entry", "QLineEdit"},
                    {&w.isCR, "isCR", "QCheckBox", "CR"},
                    {&w.isLF, "isLF", "QCheckBox", "LF"},
                    {&w.preview, "preview", "baudrill::RichTextCtrl"},
                    {&w.attachButton, "attachButton", "QPushButton"},
                });
    EXPECT_TRUE(isRightAligned(w.dv0));
    EXPECT_TRUE(hasEditFieldFrame(w.preview));
    EXPECT_EQ(w.entry.maxLength(), INT_MAX);
}

TEST(LayoutItemsTest, HexLayout)
{
    WithHexLayout w(unitZoom);
    expectItems(w, "HexLayout",
                {
                    {&w.dv0, "dv___0", "QLabel", "Send"},
                    {&w.entry, "entry", "QLineEdit"},
                    {&w.preview, "preview", "baudrill::RichTextCtrl"},
                    {&w.attachButton, "attachButton", "QPushButton"},
                });
    EXPECT_TRUE(isRightAligned(w.dv0));
    EXPECT_TRUE(hasEditFieldFrame(w.preview));
    EXPECT_EQ(w.entry.maxLength(), INT_MAX);
}

TEST(LayoutItemsTest, ProtoDialogLayout)
{
    WithProtoDialogLayout w(unitZoom);
    EXPECT_EQ(w.objectName(), "ProtoDialogLayout");
    expectItems(w, "ProtoDialogLayout",
                {
                    {&w.proto, "proto", "baudrill::DropList"},
                    {&w.protoComment, "protoComment", "QPlainTextEdit"},
                    {&w.protoDesc, "protoDesc", "QPlainTextEdit"},
                    {&w.info, "info", "baudrill::RichTextCtrl"},
                    {&w.okButton, "okButton", "QPushButton", "OK"},
                    {&w.dv5, "dv___5", "QLabel", "Protocol"},
                    {&w.dv6, "dv___6", "QLabel", "Comment"},
                    {&w.protoLabel, "protoLabel", "QLabel"},
                    {&w.protoName, "protoName", "QLineEdit"},
                });
    EXPECT_TRUE(isRightAligned(w.protoLabel));
    EXPECT_EQ(w.info.margin(), 10);
    EXPECT_TRUE(BottomSeparatorFrame::isAttached(&w.info));
    EXPECT_EQ(w.info.viewportMargins().bottom(), BottomSeparatorFrame::thickness);
    EXPECT_EQ(w.protoDesc.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(w.protoComment.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(w.protoName.maxLength(), INT_MAX);
}

TEST(LayoutItemsTest, BottomSeparatorIsDrawnAlongTheLowerEdge)
{
    WithSendLayout pane(unitZoom);
    BottomSeparatorFrame::attach(&pane);
    BottomSeparatorFrame::attach(&pane);  // a second attach changes nothing
    EXPECT_EQ(pane.contentsMargins().bottom(), BottomSeparatorFrame::thickness);
    const QImage image = pane.grab().toImage();
    const int bottom = image.height() - 1;
    EXPECT_EQ(image.pixel(10, bottom - 1), pane.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(10, bottom), pane.palette().color(QPalette::Light).rgb());
}

}  // namespace
}  // namespace baudrill
