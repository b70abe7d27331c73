#pragma once

#include <QIcon>

class QWidget;

namespace velantro {

// The program's icon group "AAA": 16, 32 and 48 pixels.
QIcon ProgramIcon();
void SetFormIcons(QWidget* window);

} // namespace velantro
