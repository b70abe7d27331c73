#pragma once

#include "dialogs/auxform.h"

class QComboBox;
class QGroupBox;

namespace velantro {

// One setting, the language, with one fixed choice. "OK" hides the window;
// closing it from its frame destroys it.
class SettingsForm : public AuxForm {
public:
    SettingsForm();

private:
    void StartUp();
    QGroupBox* LanguageGroup;
    QComboBox* LanguageBox;
};

} // namespace velantro
