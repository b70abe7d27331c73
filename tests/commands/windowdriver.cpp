// Drives the window the way a user would, for the write-set test: a file on
// the command line, a change of option, then a capture to argv[2].

#include "windows/windowlook.h"
#include "support/window.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    QApplication application(argc, argv);
    velantro::SetWindowLook();
    velantro::testing::ScriptedFileDialogs dialogs;
    dialogs.SaveAnswers = {QString::fromLocal8Bit(argv[2])};
    velantro::testing::RecordedMessageBoxes boxes;
    velantro::MainWindow form(argv[1], &dialogs, &boxes);
    form.show();
    form.RawData->click();
    form.SaveCaptureAction->trigger();
    velantro::testing::WaitForCapture(form);
    return !form.View().HasFile() || !boxes.Shown.empty() ? 1 : 0;
}
