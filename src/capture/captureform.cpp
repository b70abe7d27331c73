#include "capture/captureform.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace velantro {

QImage CaptureWindow(QWidget* window)
{
    if (!window)
        return {};
    QScreen* screen = window->screen();
    if (screen && QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QRect frame = window->frameGeometry().translated(-screen->geometry().topLeft());
        const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (!shot.isNull())
            return shot.toImage();
    }
    return window->grab().toImage();
}

} // namespace velantro
