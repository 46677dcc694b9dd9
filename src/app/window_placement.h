// Placing the program's windows on the screen.
#pragma once

#include <QScreen>
#include <QWidget>

// Moves the window (with its frame) to the centre of its screen's free area.
inline void CentreOnScreen(QWidget& window) {
    const QScreen* s = window.screen();
    if (!s) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    window.move(frame.topLeft());
}
