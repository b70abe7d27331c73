#include "dialogs/auxform.h"

#include "dialogs/twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace velantro {

AuxForm::AuxForm()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
{
}

void AuxForm::MakeCommand1(int left, int top)
{
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(left, top, 1095, 375));
    connect(Command1, &QPushButton::clicked, this, &AuxForm::Command1_Click);
}

void AuxForm::Command1_Click()
{
    hide();
}

// Only a close from the frame gets here; "OK" merely hides.
void AuxForm::closeEvent(QCloseEvent* event)
{
    Closed = true;
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void AuxForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Command1->click();
    else
        QWidget::keyPressEvent(event);
}

} // namespace velantro
