#include "monitor/images/IMG.h"

#include "monitor/images/ImageArt.h"
#include "monitor/images/ImageList.h"

#include <QGuiApplication>

namespace baudrill {

namespace {

// The images in list order; `Index` names the places of the shown ones.
constexpr ImageList::Entry entries[] = {
    {"world", {16, 16}, art::world},
    {"attach", {16, 16}, art::attach},
    {"graph", {14, 14}, art::graph},
    {"main_32", {32, 32}, art::badge},
    {"main_32a", {32, 32}, art::badgeVariant},
    {"main_16a", {16, 16}, art::badge},
    {"main_16", {16, 16}, art::badgeVariant},
    {"time", {16, 16}, art::time},
    {"onoff", {14, 16}, art::onoff},
    {"error", {16, 16}, art::error},
    {"off", {16, 16}, art::off},
    {"on", {16, 16}, art::on},
    {"plus", {16, 16}, art::plus},
    {"receive", {16, 16}, art::receive},
    {"send", {16, 16}, art::send},
    {"del", {16, 16}, art::del},
    {"add", {16, 16}, art::add},
    {"table", {13, 13}, art::table},
};

enum Index {
    Attach = 1,
    Graph = 2,
    Main32 = 3,
    Main16a = 5,
    Onoff = 8,
    Error = 9,
    Off = 10,
    On = 11,
    Plus = 12,
    Receive = 13,
    Send = 14,
    Del = 15,
    Add = 16,
    Table = 17,
};

ImageList* theList = nullptr;

QImage imageAt(Index index)
{
    const ImageList* list = IMG::list();
    return list ? list->image(index) : QImage();
}

}  // namespace

ImageList* IMG::list()
{
    if (!theList && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        theList = new ImageList(entries, QCoreApplication::instance());
        theList->setObjectName(QStringLiteral("IMG"));
        QObject::connect(theList, &QObject::destroyed, [] { theList = nullptr; });
    }
    return theList;
}

QImage IMG::attach() { return imageAt(Attach); }
QImage IMG::graph() { return imageAt(Graph); }
QImage IMG::main_32() { return imageAt(Main32); }
QImage IMG::main_16a() { return imageAt(Main16a); }
QImage IMG::onoff() { return imageAt(Onoff); }
QImage IMG::error() { return imageAt(Error); }
QImage IMG::on() { return imageAt(On); }
QImage IMG::off() { return imageAt(Off); }
QImage IMG::plus() { return imageAt(Plus); }
QImage IMG::receive() { return imageAt(Receive); }
QImage IMG::send() { return imageAt(Send); }
QImage IMG::del() { return imageAt(Del); }
QImage IMG::add() { return imageAt(Add); }
QImage IMG::table() { return imageAt(Table); }

}  // namespace baudrill
