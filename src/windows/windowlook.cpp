#include "windows/windowlook.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QStyleFactory>

namespace velantro {

QFont WindowFont()
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setStyleHint(QFont::SansSerif);
    // Pixels, not points: the layout is in pixels whatever the screen's dpi.
    font.setPixelSize(10);
    return font;
}

void SetWindowLook()
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QApplication::setFont(WindowFont());
}

} // namespace velantro
