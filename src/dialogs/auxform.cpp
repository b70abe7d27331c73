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

void AuxForm::MakeOkButton(int left, int top)
{
    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(TwipsRect(left, top, 1095, 375));
    connect(OkButton, &QPushButton::clicked, this, &AuxForm::OkClicked);
}

void AuxForm::OkClicked()
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
    // Escape leaves the window as "OK" does: there is nothing to cancel.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)
        OkButton->click();
    else
        QWidget::keyPressEvent(event);
}

} // namespace velantro
