#include "dialogs/aboutform.h"
#include "dialogs/auxwindows.h"
#include "dialogs/settingsform.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace velantro {
namespace {

// One window of each kind: OK or Escape hides it for the next use; closing it from its
// frame destroys it, even when the next use comes before the deletion has run.
// Showing again or rebuilding must not add a second language.
TEST(AuxiliaryWindows, SingleInstance)
{
    const auto languages = [](QWidget* window) {
        const auto* combo = window->findChild<QComboBox*>("LanguageBox");
        return combo && combo->currentText() == "English" && !combo->isEnabled() ? combo->count() : 0;
    };
    for (const bool settings : {false, true}) {
        SCOPED_TRACE(settings ? "Settings" : "About");
        QPointer<QWidget> first, second;
        {
            AuxWindows aux;
            const auto show = [&]() -> QWidget* {
                settings ? aux.ShowSettings() : aux.ShowAbout();
                return settings ? static_cast<QWidget*>(aux.Settings()) : aux.About();
            };
            first = show();
            // OK, then Escape at the button that holds the focus, hide it alike.
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            for (const bool key : {false, true}) {
                auto* ok = first->findChild<QPushButton*>("OkButton");
                key ? (void)QApplication::sendEvent(ok, &escape) : ok->click();
                EXPECT_FALSE(first->isVisible()) << key;
                EXPECT_TRUE(show() == first && first->isVisible());
            }
            EXPECT_EQ(languages(first), settings ? 1 : 0);
            first->close();
            second = show();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_TRUE(first.isNull() && second && second->isVisible());
            EXPECT_EQ(languages(second), settings ? 1 : 0);
            const QWidgetList all = QApplication::topLevelWidgets();
            const QString kind = second->objectName();
            EXPECT_EQ(std::count_if(all.begin(), all.end(), [&](auto* w) { return w->objectName() == kind; }), 1);
        }
        EXPECT_TRUE(second.isNull()) << "goes with its owner";
    }
}

} // namespace
} // namespace velantro
