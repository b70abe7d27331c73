#include "platform/messageboxes.h"

#include <QMessageBox>

namespace velantro {

void QtMessageBoxes::Show(QWidget* owner, const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, owner);
    // Prompts can carry file names; never let one be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    box.exec();
}

bool QtMessageBoxes::Ask(QWidget* owner, const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, prompt, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

} // namespace velantro
