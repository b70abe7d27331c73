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
    void Form_Load();
    QGroupBox* Frame1;
    QComboBox* Combo1;
};

} // namespace velantro
