#pragma once

#include <QImage>

namespace baudrill {

class ImageList;

// The program's image list "IMG": every picture the program shows, drawn by its own code.
// The list comes into being on the first call once the application object exists, as a
// child of it, so no image outlives the application; before that every call gives nothing
// (nullptr, null images). GUI thread only.
class IMG {
public:
    static ImageList* list();

    // The shown images; each accessor can stand where an image function is taken.
    static QImage attach();
    static QImage graph();
    static QImage main_32();
    static QImage main_16a();
    static QImage onoff();
    static QImage error();
    static QImage on();
    static QImage off();
    static QImage plus();
    static QImage receive();
    static QImage send();
    static QImage del();
    static QImage add();
    static QImage table();
};

}  // namespace baudrill
