#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "platform/seticons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <optional>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Runs `act` on the next modal window to come up, from inside its own event
// loop. Gives up after a bounded number of event-loop turns.
void OnNextModal(std::function<void(QWidget*)> act, QWidget* skip = nullptr, int turns = 2000)
{
    QTimer::singleShot(0, qApp, [act = std::move(act), skip, turns]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != skip && modal->isVisible())
            act(modal);
        else if (turns > 0)
            OnNextModal(std::move(act), skip, turns - 1);
    });
}

struct DialogCase {
    const char* name;
    bool save;
    QString title;
    QString filterName;
    QString pattern;
    QString proposedName;
    QString defaultSuffix;
    QString expectedFilter;
};

TEST(FileDialogs, DialogSetUp)
{
    const std::vector<DialogCase> cases = {
        {"open", false, QStringLiteral("Open ImgBurn Graph File"), QStringLiteral("ImgBurn Graph Files"),
         QStringLiteral("*.ibg"), QString(), QStringLiteral("ibg"), QStringLiteral("ImgBurn Graph Files (*.ibg)")},
        {"open, pattern already named", false, QStringLiteral("Open"), QStringLiteral("ImgBurn Graph Files (*.ibg)"),
         QStringLiteral("*.ibg"), QString(), QStringLiteral("ibg"), QStringLiteral("ImgBurn Graph Files (*.ibg)")},
        {"save", true, QStringLiteral("Save Velantro Screen Capture"), QStringLiteral("Portable Network Graphics"),
         QStringLiteral("*.png"), QStringLiteral("disc"), QStringLiteral("png"),
         QStringLiteral("Portable Network Graphics (*.png)")},
    };
    for (const DialogCase& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        QWidget owner;
        owner.show();
        bool seen = false;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return;
            seen = true;
            EXPECT_EQ(dialog->windowTitle(), c.title) << c.name;
            EXPECT_EQ(dialog->nameFilters(), QStringList{c.expectedFilter}) << c.name;
            EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath()) << c.name;
            EXPECT_EQ(dialog->defaultSuffix(), c.defaultSuffix) << c.name;
            EXPECT_EQ(dialog->acceptMode(), c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen) << c.name;
            EXPECT_EQ(dialog->fileMode(), c.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile) << c.name;
            EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite)) << c.name;
            EXPECT_EQ(dialog->parentWidget(), &owner) << c.name;
            if (c.save) {
                ASSERT_FALSE(dialog->selectedFiles().isEmpty());
                EXPECT_EQ(QFileInfo(dialog->selectedFiles().front()).completeBaseName(), c.proposedName) << c.name;
            }
            dialog->reject();
        });
        velantro::QtFileDialogs dialogs;
        const std::optional<QString> result =
            c.save ? dialogs.GetSaveFileName(&owner, c.title, c.filterName, c.pattern, folder.path(), c.proposedName,
                                             c.defaultSuffix)
                   : dialogs.GetOpenFileName(&owner, c.title, c.filterName, c.pattern, folder.path(),
                                             c.defaultSuffix);
        EXPECT_TRUE(seen) << c.name;
        EXPECT_FALSE(result.has_value()) << c.name << ": cancelled";
    }
}

TEST(FileDialogs, ChosenPath)
{
    struct Case {
        const char* name;
        bool save;
        QString existing;    // a file made beforehand, "" for none
        QString chosen;
        QString expected;    // file name returned, "" for nothing
    };
    const std::vector<Case> cases = {
        {"open an existing file", false, QStringLiteral("disc.ibg"), QStringLiteral("disc.ibg"),
         QStringLiteral("disc.ibg")},
        {"save gets the default suffix", true, QString(), QStringLiteral("shot"), QStringLiteral("shot.png")},
        {"save keeps its own extension", true, QString(), QStringLiteral("shot.png"), QStringLiteral("shot.png")},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        if (!c.existing.isEmpty()) {
            QFile file(folder.filePath(c.existing));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        OnNextModal([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                dialog->selectFile(folder.filePath(c.chosen));
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        velantro::QtFileDialogs dialogs;
        const std::optional<QString> result =
            c.save ? dialogs.GetSaveFileName(nullptr, QStringLiteral("t"), QStringLiteral("Portable Network Graphics"),
                                             QStringLiteral("*.png"), folder.path(), QStringLiteral("x"),
                                             QStringLiteral("png"))
                   : dialogs.GetOpenFileName(nullptr, QStringLiteral("t"), QStringLiteral("ImgBurn Graph Files"),
                                             QStringLiteral("*.ibg"), folder.path(), QStringLiteral("ibg"));
        ASSERT_TRUE(result.has_value()) << c.name;
        EXPECT_EQ(QFileInfo(QFileInfo(*result).absolutePath()).canonicalFilePath(), QDir(folder.path()).canonicalPath())
            << c.name;
        EXPECT_EQ(QFileInfo(*result).fileName(), c.expected) << c.name;
    }
}

TEST(FileDialogs, OverwriteQuestion)
{
    struct Case {
        const char* name;
        QMessageBox::StandardButton answer;
        bool expectPath;
    };
    const std::vector<Case> cases = {
        {"answered no", QMessageBox::No, false},
        {"answered yes", QMessageBox::Yes, true},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString existing = folder.filePath(QStringLiteral("old.png"));
        {
            QFile file(existing);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        bool asked = false;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return;
            OnNextModal(
                [&](QWidget* question) {
                    if (auto* box = qobject_cast<QMessageBox*>(question)) {
                        asked = true;
                        box->button(c.answer)->click();
                    }
                },
                dialog);
            dialog->selectFile(existing);
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible())
                dialog->reject();
        });
        velantro::QtFileDialogs dialogs;
        const std::optional<QString> result =
            dialogs.GetSaveFileName(nullptr, QStringLiteral("t"), QStringLiteral("Portable Network Graphics"),
                                    QStringLiteral("*.png"), folder.path(), QStringLiteral("old"),
                                    QStringLiteral("png"));
        EXPECT_TRUE(asked) << c.name;
        EXPECT_EQ(result.has_value(), c.expectPath) << c.name;
    }
}

TEST(MessageBoxes, PlainOkBox)
{
    struct Case {
        const char* name;
        bool withOwner;
        QString prompt;
        QString title;
    };
    const std::vector<Case> cases = {
        {"owned", true, QStringLiteral("Select an ImgBurn graph file (ibg) to open."),
         QStringLiteral("Incorrect file type")},
        {"no owner", false, QStringLiteral("not valid"), QStringLiteral("Velantro")},
        {"markup shown as text", true, QStringLiteral("<b>x.png</b>"), QStringLiteral("t")},
    };
    for (const Case& c : cases) {
        QWidget owner;
        owner.show();
        bool seen = false;
        OnNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return;
            seen = true;
            EXPECT_EQ(box->windowTitle(), c.title) << c.name;
            EXPECT_EQ(box->text(), c.prompt) << c.name;
            EXPECT_EQ(box->textFormat(), Qt::PlainText) << c.name;
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon) << c.name;
            EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok)) << c.name;
            EXPECT_EQ(box->windowModality(), c.withOwner ? Qt::WindowModal : Qt::ApplicationModal) << c.name;
            EXPECT_EQ(box->parentWidget(), c.withOwner ? &owner : nullptr) << c.name;
            box->button(QMessageBox::Ok)->click();
        });
        velantro::QtMessageBoxes boxes;
        boxes.Show(c.withOwner ? &owner : nullptr, c.prompt, c.title);
        EXPECT_TRUE(seen) << c.name;
    }
}

TEST(ProgramIcons, IconSizes)
{
    const std::vector<int> sizes = {16, 32, 48};
    const QIcon icon = velantro::ProgramIcon();
    for (const int size : sizes) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QPixmap pixmap(QStringLiteral(":/icons/velantro-%1.png").arg(size));
        EXPECT_EQ(pixmap.size(), QSize(size, size)) << size;
    }
    QWidget window;
    velantro::SetFormIcons(&window);
    EXPECT_EQ(window.windowIcon().availableSizes(), icon.availableSizes());
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), icon.availableSizes());
}

TEST(ProgramIcons, BannerSize)
{
    EXPECT_EQ(QPixmap(QStringLiteral(":/images/banner.png")).size(), QSize(433, 79));
}

} // namespace
