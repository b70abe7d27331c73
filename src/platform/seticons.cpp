#include "platform/seticons.h"

#include <QApplication>
#include <QWidget>

namespace velantro {

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/velantro-%1.png").arg(size), QSize(size, size));
    return icon;
}

void SetFormIcons(QWidget* window)
{
    const QIcon icon = ProgramIcon();
    // The application's icon stands for the outermost owner: every window
    // without an icon of its own, dialogs included, shows it.
    QApplication::setWindowIcon(icon);
    if (window)
        window->setWindowIcon(icon);
}

} // namespace velantro
