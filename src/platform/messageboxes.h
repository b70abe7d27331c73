#pragma once

#include <QString>

class QWidget;

namespace velantro {

// Modal message boxes with an OK button and no icon, behind an interface so
// tests can answer them without blocking.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void Show(QWidget* owner, const QString& prompt, const QString& title) = 0;
    // Yes and No, No the default; true for Yes.
    virtual bool Ask(QWidget* owner, const QString& prompt, const QString& title)
    {
        (void)owner;
        (void)prompt;
        (void)title;
        return false;
    }
};

class QtMessageBoxes : public MessageBoxes {
public:
    void Show(QWidget* owner, const QString& prompt, const QString& title) override;
    bool Ask(QWidget* owner, const QString& prompt, const QString& title) override;
};

} // namespace velantro
