#include "dialogs/settingsform.h"

#include "dialogs/twips.h"
#include "platform/seticons.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace velantro {

SettingsForm::SettingsForm()
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

    MakeCommand1(2160, 1200);

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

} // namespace velantro
