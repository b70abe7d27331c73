#pragma once

#include <QPointer>

namespace velantro {

class AboutForm;
class SettingsForm;

// At most one About and one Settings window: a hidden one is shown again, one
// closed from its frame is built anew on the next use. The windows go when
// this owner goes.
class AuxWindows {
public:
    AuxWindows() = default;
    AuxWindows(const AuxWindows&) = delete;
    AuxWindows& operator=(const AuxWindows&) = delete;
    ~AuxWindows();

    void ShowAbout();
    void ShowSettings();
    AboutForm* About() const;
    SettingsForm* Settings() const;

private:
    QPointer<AboutForm> AboutWindow;
    QPointer<SettingsForm> SettingsWindow;
};

} // namespace velantro
