#pragma once

#include <QWidget>

class QPushButton;

namespace velantro {

// What the About and Settings windows share: "OK" (OkButton), Return or
// Escape hides the window and keeps it for the next use; closing it from its
// frame destroys it.
class AuxForm : public QWidget {
public:
    // True once closed from its frame: the window only waits to be deleted.
    bool ClosedFromFrame() const { return Closed; }

protected:
    // Top-level, fixed size, with a close box only.
    AuxForm();
    // Makes OkButton, the "OK" button that hides the window, at a place in twips.
    void MakeOkButton(int left, int top);
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QPushButton* OkButton = nullptr;

private:
    void OkClicked();

    bool Closed = false;
};

} // namespace velantro
