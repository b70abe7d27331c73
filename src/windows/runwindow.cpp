#include "windows/runwindow.h"

#include "windows/mainwindow.h"
#include "windows/windowlook.h"

#include <QApplication>

#include <iostream>

namespace velantro {

namespace {

// Without a display the toolkit would abort with a message of its own.
bool NoDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return false;
#else
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

} // namespace

int RunWindow(int argc, char** argv, const std::string& graphFile)
{
    if (NoDisplay()) {
        std::cerr << "velantro: there is no display to open the window on.\n"
                     "Use: velantro --info FILE.ibg to print a file's information.\n";
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantro"));
#ifdef VELANTRO_VERSION
    QApplication::setApplicationVersion(QStringLiteral(VELANTRO_VERSION));
#endif
    SetWindowLook();
    MainWindow form(graphFile);
    form.show();
    return QApplication::exec();
}

} // namespace velantro
