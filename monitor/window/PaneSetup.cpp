#include "monitor/window/PaneSetup.h"

#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTabBar>

#include <memory>
#include <vector>

#include "monitor/widgets/DropList.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/widgets/RichTextCtrl.h"
#include "monitor/grid/view/SerPortCtrl.h"
#include "monitor/images/IMG.h"
#include "monitor/layouts/WithAsciiLayout.h"
#include "monitor/layouts/WithHexLayout.h"
#include "monitor/layouts/WithProtoLayout.h"
#include "monitor/layouts/WithSendLayout.h"
#include "monitor/layouts/WithSettingsLayout.h"

namespace baudrill {

const char* const AsciiEntryTip =
    "<p>\\xx inserts symbol with HEX(xx).</p>"
    "<ul><li>aaa \u2192 <b>aaa</b></li><li>a\\20aa \u2192 <b>a aa</b></li></ul>";
const char* const HexEntryTip =
    "<p>2-digit hex numbers divided with spaces.<br>&quot;characters&quot; inserts characters.</p>"
    "<ul><li>30 31 32 \u2192 <b>012</b></li><li>30 31 &quot;aaa&quot; 32 \u2192 <b>01aaa2</b></li></ul>";

namespace {

QIcon IconOf(const QImage& image) { return QIcon(QPixmap::fromImage(image)); }

}  // namespace

QString LiteralCaption(const std::string& value)
{
    return QString::fromStdString(value).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void FillBaudRates(DropList& list)
{
    list.clear();
    std::size_t next = 0;
    for (std::size_t group = 0; group < BaudGroupSizes.size(); ++group) {
        if (group > 0)
            list.insertSeparator(list.count());
        for (int i = 0; i < BaudGroupSizes[group]; ++i, ++next)
            list.addItem(QString::number(BaudRates[next]), BaudRates[next]);
    }
    list.setCurrentIndex(-1);
}

void SetUpSettingsPane(WithSettingsLayout& pane)
{
    pane.statusLabel.setToolTip(QStringLiteral("Current port status: opened/closed"));
    pane.statusLabel.setPixmap(QPixmap::fromImage(IMG::on()));
    pane.statusButton.setToolTip(QStringLiteral("Open/close port"));
    pane.statusButton.setIcon(IconOf(IMG::onoff()));

    const struct {
        ButtonOption& option;
        const char* caption;
    } choices[] = {
        {pane.settingParity0, "no"}, {pane.settingParity1, "even"}, {pane.settingParity2, "odd"},
        {pane.settingWord0, "8"},    {pane.settingWord1, "7"},      {pane.settingWord2, "6"},
        {pane.settingStop0, "1"},    {pane.settingStop1, "1.5"},    {pane.settingStop2, "2"},
        {pane.flowNone, "None"},     {pane.flowRTSCTS, "RTS/CTS"},  {pane.flowXONXOFF, "XON/XOFF"},
    };
    for (const auto& choice : choices)
        choice.option.setText(QString::fromUtf8(choice.caption));

    // DTR and RTS are outputs the user switches; the others only show the input lines.
    const struct {
        ButtonOption& indicator;
        const char* caption;
        bool editable;
    } indicators[] = {
        {pane.stateDCD, "DCD", false}, {pane.stateCTS, "CTS", false}, {pane.stateDSR, "DSR", false},
        {pane.stateDTR, "DTR", true},  {pane.stateRNG, "RNG", false}, {pane.stateRTS, "RTS", true},
    };
    for (const auto& line : indicators) {
        line.indicator.setText(QString::fromUtf8(line.caption));
        line.indicator.setAutoRaise(true);
        line.indicator.setEnabled(line.editable);
    }

    FillBaudRates(pane.settingBaud);
}

void SetUpSendButtonPane(WithSendLayout& pane)
{
    pane.sendButton.setText(QString::fromUtf8(SendCaption));
    pane.isRepeat.setChecked(false);
    pane.repeatPeriod.setData(200);
}

void SetUpEntryTips(WithAsciiLayout& ascii, WithHexLayout& hex)
{
    ascii.entry.setToolTip(QString::fromUtf8(AsciiEntryTip));
    hex.entry.setToolTip(QString::fromUtf8(HexEntryTip));
}

void SetUpLogGrid(SerPortCtrl& grid)
{
    grid.setToolTip(QStringLiteral("Double click to clear"));
    const struct {
        const char* header;
        int ratio;
    } columns[] = {{"", 4}, {"  Time", 11}, {"  Protocol", 11}, {"  Dump", 90}};
    for (const auto& column : columns)
        grid.addColumn(QString::fromUtf8(column.header), column.ratio);
}

void SetUpPreviews(std::initializer_list<RichTextCtrl*> previews)
{
    for (RichTextCtrl* preview : previews) {
        QPalette palette = preview->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        preview->setPalette(palette);
        preview->setReadOnly(true);
    }
}

void ShowEmptyPanes(WithSettingsLayout& settings, WithSendLayout& send, WithAsciiLayout& ascii, WithHexLayout& hex,
                    WithProtoLayout& proto)
{
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    const auto quietly = [&quiet](QObject& control) { quiet.push_back(std::make_unique<QSignalBlocker>(control)); };

    quietly(settings.settingBaud);
    settings.settingBaud.setCurrentIndex(-1);
    for (QAbstractButton* option : settings.findChildren<QAbstractButton*>()) {
        quietly(*option);
        option->setChecked(false);
    }
    for (QLineEdit* entry : {&ascii.entry, &hex.entry, &proto.entry}) {
        quietly(*entry);
        entry->clear();
    }
    proto.entry.setToolTip(QString());  // the protocol's comment
    for (RichTextCtrl* preview : {&ascii.preview, &hex.preview, &proto.preview})
        preview->setQtf(QString());
    for (QCheckBox* option : {&ascii.isCR, &ascii.isLF, &proto.isParse, &proto.isIgnoreStarting, &proto.isDisplayHex,
                              &proto.isActionAnswer}) {
        quietly(*option);
        option->setChecked(false);
    }
    for (DropList* list : {&proto.proto, &proto.actionProto}) {
        quietly(*list);
        list->setShownText(QString());
        list->setToolTip(QString());
    }
    quietly(proto.actionDelay);
    proto.actionDelay.setData(std::nullopt);
    for (QObject* control : std::initializer_list<QObject*>{&send.sendButton, &send.isRepeat, &send.repeatPeriod})
        quietly(*control);
    send.sendButton.setChecked(false);
    SetUpSendButtonPane(send);
}

int AddValueTab(QTabBar& bar, const std::string& value)
{
    const int index = bar.addTab(LiteralCaption(value));
    bar.setTabData(index, QString::fromStdString(value));
    return index;
}

void SetTabValue(QTabBar& bar, int index, const std::string& value)
{
    bar.setTabText(index, LiteralCaption(value));
    bar.setTabData(index, QString::fromStdString(value));
}

std::string TabValue(const QTabBar& bar, int index)
{
    if (index < 0 || index >= bar.count())
        return {};
    return bar.tabData(index).toString().toStdString();
}

}  // namespace baudrill
