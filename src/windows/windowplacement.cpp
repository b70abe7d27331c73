#include "windows/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velantro {

QRect PlaceBeside(const QRect& owner, QSize wanted, QSize minimum, const QRect& available)
{
    const QSize size(std::max(minimum.width(), std::min(wanted.width(), available.width())),
                     std::max(minimum.height(), std::min(wanted.height(), available.height())));
    QRect place(QPoint(), size);
    if (owner.right() + size.width() <= available.right())
        place.moveTopLeft(QPoint(owner.right() + 1, owner.top()));
    else if (owner.left() - size.width() >= available.left())
        place.moveTopLeft(QPoint(owner.left() - size.width(), owner.top()));
    // Else against the screen's edge on the side with more room, covering as
    // little of the owner as it must; on the left, where the main window's
    // information panel rather than its charts goes under, when alike.
    else if (available.right() - owner.right() > owner.left() - available.left())
        place.moveTopLeft(QPoint(available.right() + 1 - size.width(), owner.top()));
    else
        place.moveTopLeft(QPoint(available.left(), owner.top()));
    // Into the available area; a window larger than it keeps its top left there.
    place.moveLeft(std::max(available.left(), std::min(place.left(), available.right() + 1 - size.width())));
    place.moveTop(std::max(available.top(), std::min(place.top(), available.bottom() + 1 - size.height())));
    return place;
}

void OpenBeside(QWidget& window, const QWidget* owner, QSize wanted)
{
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(wanted);
        return;
    }
    const QRect available = screen->availableGeometry();
    // The frame around the window takes room too.
    window.ensurePolished();
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QRect ownerFrame = owner && owner->isVisible() ? owner->frameGeometry() : available;
    const QRect place = PlaceBeside(ownerFrame, wanted + frame, window.minimumSizeHint().expandedTo(window.minimumSize()) + frame,
                                    available);
    window.resize(place.size() - frame);
    window.move(place.topLeft());
}

} // namespace velantro
