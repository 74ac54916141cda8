#pragma once

class QWidget;

namespace baudrill {

// Makes closing `window` end the application's event loop, whatever other windows (the
// protocol editor) are still open; closing those others never ends it.
void QuitWhenClosed(QWidget& window);

}  // namespace baudrill
