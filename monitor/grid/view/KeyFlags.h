#pragma once

#include <QMouseEvent>

namespace baudrill {

// The keyboard modifiers and mouse buttons held during a mouse event, as one word: Qt keeps
// the modifiers in the high bits and the buttons in the low bits, so the two never overlap.
inline quint32 keyFlags(const QMouseEvent& event)
{
    return static_cast<quint32>(event.modifiers().toInt()) | static_cast<quint32>(event.buttons().toInt());
}

}  // namespace baudrill
