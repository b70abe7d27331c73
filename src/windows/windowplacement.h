#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace velantro {

// Where a window of the wanted size opens beside or over its owner: to the
// right of the owner where the screen has room, else to its left, else at
// the screen's edge on the side with more room; shrunk to the available area and moved into it, never
// below its minimum. All in logical pixels of the screen.
QRect PlaceBeside(const QRect& owner, QSize wanted, QSize minimum, const QRect& available);

// Sizes and places a window about to be shown for the first time by its
// owner's frame on the owner's screen (the primary one without an owner).
void OpenBeside(QWidget& window, const QWidget* owner, QSize wanted);

} // namespace velantro
