#include "dialogs/aboutform.h"
#include "dialogs/auxwindows.h"
#include "dialogs/settingsform.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using velantro::AuxWindows;

void DeleteClosed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int CountTopLevel(const QString& objectName)
{
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == objectName)
            ++count;
    return count;
}

struct WindowKind {
    const char* name;
    std::function<void(AuxWindows&)> show;
    std::function<QWidget*(const AuxWindows&)> window;
};

const std::vector<WindowKind>& Kinds()
{
    static const std::vector<WindowKind> kinds = {
        {"AboutForm", [](AuxWindows& aux) { aux.ShowAbout(); }, [](const AuxWindows& aux) -> QWidget* { return aux.About(); }},
        {"SettingsForm", [](AuxWindows& aux) { aux.ShowSettings(); },
         [](const AuxWindows& aux) -> QWidget* { return aux.Settings(); }},
    };
    return kinds;
}

void ClickOk(QWidget* window)
{
    auto* ok = window->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    ok->click();
}

TEST(AuxiliaryWindows, SingleInstance)
{
    for (const WindowKind& kind : Kinds()) {
        AuxWindows aux;
        EXPECT_EQ(kind.window(aux), nullptr) << kind.name;
        kind.show(aux);
        QWidget* first = kind.window(aux);
        ASSERT_NE(first, nullptr) << kind.name;
        kind.show(aux);
        EXPECT_EQ(kind.window(aux), first) << kind.name;
        EXPECT_TRUE(first->isVisible()) << kind.name;
        EXPECT_EQ(first->parentWidget(), nullptr) << kind.name;
        EXPECT_FALSE(first->isModal()) << kind.name;
        EXPECT_EQ(CountTopLevel(QString::fromLatin1(kind.name)), 1) << kind.name;
    }
}

TEST(AuxiliaryWindows, OkHides)
{
    for (const WindowKind& kind : Kinds()) {
        AuxWindows aux;
        kind.show(aux);
        QPointer<QWidget> first = kind.window(aux);
        ClickOk(first);
        DeleteClosed();
        ASSERT_FALSE(first.isNull()) << kind.name << ": hidden, not destroyed";
        EXPECT_FALSE(first->isVisible()) << kind.name;
        kind.show(aux);
        EXPECT_EQ(kind.window(aux), first.data()) << kind.name;
        EXPECT_TRUE(first->isVisible()) << kind.name;
    }
}

TEST(AuxiliaryWindows, FrameCloseDestroys)
{
    for (const WindowKind& kind : Kinds()) {
        AuxWindows aux;
        kind.show(aux);
        QPointer<QWidget> first = kind.window(aux);
        first->close();
        // The next use before the deletion has run must not revive the closed window.
        kind.show(aux);
        QPointer<QWidget> second = kind.window(aux);
        DeleteClosed();
        EXPECT_TRUE(first.isNull()) << kind.name;
        ASSERT_FALSE(second.isNull()) << kind.name;
        EXPECT_TRUE(second->isVisible()) << kind.name;
        second->close();
        DeleteClosed();
        EXPECT_TRUE(second.isNull()) << kind.name;
        EXPECT_EQ(kind.window(aux), nullptr) << kind.name;
        kind.show(aux);
        ASSERT_NE(kind.window(aux), nullptr) << kind.name;
        EXPECT_TRUE(kind.window(aux)->isVisible()) << kind.name;
        EXPECT_EQ(CountTopLevel(QString::fromLatin1(kind.name)), 1) << kind.name;
    }
}

TEST(AuxiliaryWindows, OwnerTakesWindowsAlong)
{
    QPointer<QWidget> about;
    QPointer<QWidget> settings;
    {
        AuxWindows aux;
        aux.ShowAbout();
        aux.ShowSettings();
        about = aux.About();
        settings = aux.Settings();
        EXPECT_TRUE(about && settings);
    }
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(settings.isNull());
}

TEST(SettingsWindow, OneFixedLanguage)
{
    // Each step is followed by a look at the list.
    const std::vector<std::pair<const char*, std::function<void(AuxWindows&)>>> steps = {
        {"first show", [](AuxWindows& aux) { aux.ShowSettings(); }},
        {"OK", [](AuxWindows& aux) { ClickOk(aux.Settings()); }},
        {"shown again", [](AuxWindows& aux) { aux.ShowSettings(); }},
        {"shown while open", [](AuxWindows& aux) { aux.ShowSettings(); }},
        {"closed and rebuilt",
         [](AuxWindows& aux) {
             aux.Settings()->close();
             DeleteClosed();
             aux.ShowSettings();
         }},
    };
    AuxWindows aux;
    for (const auto& [name, step] : steps) {
        step(aux);
        auto* combo = aux.Settings()->findChild<QComboBox*>(QStringLiteral("Combo1"));
        ASSERT_NE(combo, nullptr) << name;
        EXPECT_EQ(combo->count(), 1) << name;
        EXPECT_EQ(combo->itemText(0), QStringLiteral("English")) << name;
        EXPECT_EQ(combo->currentIndex(), 0) << name;
        EXPECT_EQ(combo->currentText(), QStringLiteral("English")) << name;
        EXPECT_TRUE(combo->isEditable()) << name;
        EXPECT_FALSE(combo->isEnabled()) << name;
    }
}

TEST(AboutWindow, VersionLine)
{
    struct Case {
        int major, minor, revision;
        QString expected;
    };
    const std::vector<Case> cases = {
        {1, 0, 5, QStringLiteral("Version: 1.0.1.5")},
        {2, 3, 17, QStringLiteral("Version: 2.3.1.17")},
        {10, 0, 0, QStringLiteral("Version: 10.0.1.0")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(velantro::VersionLine(c.major, c.minor, c.revision), c.expected);
        const velantro::AboutForm form({c.major, c.minor, c.revision});
        const auto* label2 = form.findChild<QLabel*>(QStringLiteral("Label2"));
        ASSERT_NE(label2, nullptr);
        EXPECT_EQ(label2->text(), c.expected);
    }
}

TEST(AboutWindow, VersionNumbersFromText)
{
    struct Case {
        QString text;
        int major, minor, revision;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("1.0.1.5"), 1, 0, 5},
        {QStringLiteral("2.3.1.17"), 2, 3, 17},
        {QStringLiteral("4.2.9"), 4, 2, 9},
        {QStringLiteral("3"), 3, 0, 0},
        {QStringLiteral("nonsense"), 0, 0, 0},
    };
    for (const Case& c : cases) {
        const velantro::VersionNumbers numbers = velantro::ParseVersionNumbers(c.text);
        EXPECT_EQ(numbers.Major, c.major) << c.text.toStdString();
        EXPECT_EQ(numbers.Minor, c.minor) << c.text.toStdString();
        EXPECT_EQ(numbers.Revision, c.revision) << c.text.toStdString();
    }
}

TEST(AboutWindow, Layout)
{
    struct Case {
        const char* name;
        QRect geometry;
        QString text;
    };
    const std::vector<Case> cases = {
        {"Command1", QRect(344, 168, 73, 25), QStringLiteral("OK")},
        {"Label1", QRect(0, 56, 369, 25), QStringLiteral("Freeware ImgBurn graph file plotting program")},
        {"Label2", QRect(328, 8, 101, 13), QStringLiteral("Version: 1.0.1.5")},
        {"Label3", QRect(128, 88, 193, 17), QStringLiteral("Written by the Velantro developers")},
        {"Label4", QRect(128, 104, 193, 17), QStringLiteral("Translated By :  N/A")},
        {"Label5", QRect(128, 120, 193, 17), QString()},
        {"Label6", QRect(24, 144, 377, 17), QString()},
    };
    const velantro::AboutForm form({1, 0, 5});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About Velantro"));
    EXPECT_EQ(form.size(), QSize(425, 201));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    for (const Case& c : cases) {
        const QWidget* control = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->geometry(), c.geometry) << c.name;
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            EXPECT_EQ(label->text(), c.text) << c.name;
        } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            EXPECT_EQ(button->text(), c.text) << c.name;
        }
    }
    const auto* label1 = form.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_TRUE(label1->font().bold());
    EXPECT_TRUE(label1->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(label1->autoFillBackground());
}

TEST(AboutWindow, BoldCaptionsFitTheirBoxes)
{
    const std::vector<std::pair<QString, qreal>> fonts = {
        {QStringLiteral("DejaVu Sans"), 8}, {QStringLiteral("DejaVu Sans"), 11}, {QStringLiteral("Liberation Sans"), 8}};
    const QFont original = QApplication::font();
    for (const auto& [family, points] : fonts) {
        QFont font(family);
        font.setPointSizeF(points);
        QApplication::setFont(font);
        const velantro::AboutForm form({1, 0, 5});
        for (const char* name : {"Label1", "Label2"}) {
            const auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
            ASSERT_NE(label, nullptr);
            const int visible = qMin(label->width(), form.width() - label->x());
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), visible)
                << name << " in " << family.toStdString() << " " << points;
            EXPECT_TRUE(label->font().bold()) << name;
        }
    }
    QApplication::setFont(original);
}

TEST(AboutWindow, BannerAtTopLeft)
{
    velantro::AboutForm form({1, 0, 5});
    const QImage banner(QStringLiteral(":/images/banner.png"));
    ASSERT_EQ(banner.size(), QSize(433, 79));
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Points of the banner away from every label and the button.
    const std::vector<QPoint> points = {{2, 2}, {30, 28}, {250, 54}, {424, 30}, {200, 78}};
    for (const QPoint& p : points)
        EXPECT_EQ(shown.pixel(p), banner.convertToFormat(QImage::Format_RGB32).pixel(p)) << p.x() << "," << p.y();
}

TEST(SettingsWindow, Layout)
{
    const velantro::SettingsForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(form.size(), QSize(225, 113));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const auto* frame = form.findChild<QGroupBox*>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Language"));
    EXPECT_EQ(frame->geometry(), QRect(8, 8, 209, 57));
    const auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo1"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->parentWidget(), frame);
    EXPECT_EQ(combo->geometry(), QRect(8, 24, 193, 21));
    const auto* ok = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(144, 80, 73, 25));
}

} // namespace
