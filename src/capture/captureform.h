#pragma once

#include <QImage>

class QWidget;

namespace velantro {

// The whole window rectangle, title bar and borders included, at its device
// pixel size, copied from the screen where the platform allows it (X11). Where
// it does not (Wayland, offscreen), the window's own rendering.
QImage CaptureWindow(QWidget* window);

} // namespace velantro
