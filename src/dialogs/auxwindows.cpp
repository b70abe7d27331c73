#include "dialogs/auxwindows.h"

#include "dialogs/aboutform.h"
#include "dialogs/settingsform.h"

namespace velantro {

namespace {

template <typename Form> void ShowSingle(QPointer<Form>& window)
{
    if (!window || window->ClosedFromFrame())
        window = new Form();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

AuxWindows::~AuxWindows()
{
    delete AboutWindow.data();
    delete SettingsWindow.data();
}

void AuxWindows::ShowAbout()
{
    ShowSingle(AboutWindow);
}

void AuxWindows::ShowSettings()
{
    ShowSingle(SettingsWindow);
}

AboutForm* AuxWindows::About() const
{
    return AboutWindow.data();
}

SettingsForm* AuxWindows::Settings() const
{
    return SettingsWindow.data();
}

} // namespace velantro
