#include "dialogs/aboutform.h"
#include "dialogs/auxwindows.h"
#include "dialogs/settingsform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using velantro::AuxWindows;

// One window of each kind: OK hides it for the next use; closing it from its
// frame destroys it, even when the next use comes before the deletion has run.
// Showing again or rebuilding must not add a second language.
TEST(AuxiliaryWindows, SingleInstance)
{
    struct Step {
        const char* name;
        std::function<void(QWidget*)> act;   // on the window of the step before, if any
        bool sameWindow;
        bool visible;                        // also: the step ends with a show
    };
    const std::vector<Step> steps = {
        {"first show", nullptr, false, true},
        {"OK", [](QWidget* window) { window->findChild<QPushButton*>("Command1")->click(); }, true, false},
        {"shown after OK", nullptr, true, true},
        {"closed from its frame", [](QWidget* window) { window->close(); }, false, true},
    };
    for (const bool settings : {false, true}) {
        const char* const kind = settings ? "SettingsForm" : "AboutForm";
        QPointer<QWidget> last;
        {
            AuxWindows aux;
            for (const Step& step : steps) {
                if (last && step.act)
                    step.act(last);
                if (step.visible)
                    settings ? aux.ShowSettings() : aux.ShowAbout();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                SCOPED_TRACE(std::string(kind) + ": " + step.name);
                QWidget* now = settings ? static_cast<QWidget*>(aux.Settings()) : aux.About();
                ASSERT_NE(now, nullptr);
                EXPECT_EQ(now == last, step.sameWindow);
                EXPECT_EQ(now->isVisible(), step.visible);
                const QWidgetList all = QApplication::topLevelWidgets();
                EXPECT_EQ(std::count_if(all.begin(), all.end(), [&](auto* w) { return w->objectName() == kind; }), 1);
                const auto* combo = now->findChild<QComboBox*>("Combo1");
                EXPECT_EQ(combo && combo->count() == 1 && combo->currentText() == "English" && !combo->isEnabled(),
                          settings);
                last = now;
            }
        }
        EXPECT_TRUE(last.isNull()) << kind << ": goes with its owner";
    }
}

TEST(AboutWindow, VersionLine)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"1.0.1.5", "Version: 1.0.1.5"}, {"2.3.1.17", "Version: 2.3.1.17"},
        {"4.2.9", "Version: 4.2.1.9"}, {"nonsense", "Version: 0.0.1.0"},
    };
    for (const auto& [version, expected] : cases) {
        const velantro::VersionNumbers numbers = velantro::ParseVersionNumbers(version);
        EXPECT_EQ(velantro::VersionLine(numbers.Major, numbers.Minor, numbers.Revision), expected);
        const velantro::AboutForm form(numbers);
        const auto* label2 = form.findChild<QLabel*>("Label2");
        ASSERT_NE(label2, nullptr);
        EXPECT_EQ(label2->text().toStdString(), expected.toStdString());
    }
}

} // namespace
