// Drives the window the way a user would, for the write-set test: a file on
// the command line, a change of option, then a capture to argv[2].

#include "app/burnform.h"
#include "app/windowlook.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QRadioButton>
#include <QTimer>

#include <iostream>

namespace {

class SaveTo : public velantro::FileDialogs {
public:
    explicit SaveTo(QString target) : target_(std::move(target)) {}
    std::optional<QString> GetOpenFileName(QWidget*, const QString&, const QString&, const QString&, const QString&,
                                           const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> GetSaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&,
                                           const QString&, const QString&) override
    {
        return target_;
    }

private:
    QString target_;
};

class Silent : public velantro::MessageBoxes {
public:
    void Show(QWidget*, const QString& prompt, const QString&) override { std::cerr << prompt.toStdString() << '\n'; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    QApplication application(argc, argv);
    velantro::SetWindowLook();
    SaveTo dialogs(QString::fromLocal8Bit(argv[2]));
    Silent boxes;
    velantro::BurnForm form(argv[1], &dialogs, &boxes);
    form.show();
    form.Option1->click();
    form.Save_File->trigger();
    QDeadlineTimer deadline(10000);
    while (form.Timer1->isActive() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return form.Fields().LoadedFilePath.empty() ? 1 : 0;
}
