#include "dialogs/settingsform.h"

#include "dialogs/twips.h"
#include "platform/seticons.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace velantro {

SettingsForm::SettingsForm()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setFixedSize(TwipsToPixels(3375), TwipsToPixels(1695));
    SetFormIcons(this);

    Frame1 = new QGroupBox(QStringLiteral("Language"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(TwipsRect(120, 120, 3135, 855));

    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(TwipsRect(120, 360, 2895, 315));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("Combo1"));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(2160, 1200, 1095, 375));
    connect(Command1, &QPushButton::clicked, this, &SettingsForm::Command1_Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Form_Load();
}

void SettingsForm::Form_Load()
{
    Combo1->addItem(QStringLiteral("English"));
    Combo1->setCurrentIndex(0);
    Combo1->setEnabled(false);
    // With the list disabled the button is the first control that can hold the focus.
    Command1->setFocus();
}

void SettingsForm::Command1_Click()
{
    hide();
}

// Only a close from the frame gets here; "OK" merely hides.
void SettingsForm::closeEvent(QCloseEvent* event)
{
    Closed = true;
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void SettingsForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Command1->click();
    else
        QWidget::keyPressEvent(event);
}

} // namespace velantro
