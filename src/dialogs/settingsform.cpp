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

    LanguageGroup = new QGroupBox(QStringLiteral("Language"), this);
    LanguageGroup->setObjectName(QStringLiteral("LanguageGroup"));
    LanguageGroup->setGeometry(TwipsRect(120, 120, 3135, 855));

    LanguageBox = new QComboBox(LanguageGroup);
    LanguageBox->setObjectName(QStringLiteral("LanguageBox"));
    LanguageBox->setGeometry(TwipsRect(120, 360, 2895, 315));
    LanguageBox->setEditable(true);
    LanguageBox->setInsertPolicy(QComboBox::NoInsert);

    MakeOkButton(2160, 1200);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    StartUp();
}

void SettingsForm::StartUp()
{
    LanguageBox->addItem(QStringLiteral("English"));
    LanguageBox->setCurrentIndex(0);
    LanguageBox->setEnabled(false);
    // With the list disabled the button is the first control that can hold the focus.
    OkButton->setFocus();
}

} // namespace velantro
