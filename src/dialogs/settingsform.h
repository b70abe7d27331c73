#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace velantro {

// One setting, the language, with one fixed choice. "OK" hides the window;
// closing it from its frame destroys it.
class SettingsForm : public QWidget {
public:
    SettingsForm();

    // True once closed from its frame: the window only waits to be deleted.
    bool ClosedFromFrame() const { return Closed; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Command1_Click();

    bool Closed = false;

    QGroupBox* Frame1;
    QComboBox* Combo1;
    QPushButton* Command1;
};

} // namespace velantro
