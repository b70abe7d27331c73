#include "windows/librarywindow.h"

#include "support/graphtext.h"

#include "library.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

#include <fstream>

namespace velantro {
namespace {

using testing::TempFile;

bool ReadAll(LibraryWindow& window)
{
    QElapsedTimer timer;
    timer.start();
    while (!window.ReadingDone() || window.Progress->value() < window.Progress->maximum()) {
        if (timer.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        window.TakeReadRows();
    }
    return true;
}

QString Cell(const QAbstractItemModel& model, int row, LibraryColumn column)
{
    return model.index(row, static_cast<int>(column)).data().toString();
}

// What the user sees and does: the table fills, sorts, filters, and hands
// files to the main and compare windows; the groups follow the choice.
TEST(LibraryWindow, FillsSortsFiltersAndHandsOnFiles)
{
    TempFile folder("[START_CONFIGURATION]\n", "torn.ibg");
    TempFile added("", "unused");
    const auto plan = ibggen::LibraryPlan(36, 200);
    ASSERT_TRUE(ibggen::WriteLibrary({plan.begin(), plan.begin() + 30}, folder.Folder()));
    ASSERT_TRUE(ibggen::WriteLibrary({plan.begin() + 30, plan.end()}, added.Folder()));
    std::vector<std::string> opened, compared;
    LibraryWindow window({folder.Folder()}, [&](const std::string& file) { opened.push_back(file); },
                         [&](const std::vector<std::string>& files) { compared = files; });
    ASSERT_TRUE(ReadAll(window));
    window.AddFolders({added.Folder(), folder.Folder()});
    ASSERT_TRUE(ReadAll(window));

    const QAbstractItemModel& table = *window.FileTable->model();
    ASSERT_EQ(table.rowCount(), 37);
    window.FileTable->sortByColumn(static_cast<int>(LibraryColumn::Reason), Qt::AscendingOrder);
    EXPECT_EQ(Cell(table, 0, LibraryColumn::File), "torn.ibg");
    EXPECT_NE(Cell(table, 0, LibraryColumn::Reason), "");
    // A quarter of each combination's burns has a dip: the first 18 of 36.
    window.FileTable->sortByColumn(static_cast<int>(LibraryColumn::Dips), Qt::AscendingOrder);
    const struct {
        int Row;
        const char* Dips;
    } order[] = {{0, "0"}, {17, "0"}, {18, "1"}, {35, "1"}, {36, ""}};
    for (const auto& o : order)
        EXPECT_EQ(Cell(table, o.Row, LibraryColumn::Dips), o.Dips) << o.Row;
    // Descending, the unread row stays last.
    window.FileTable->sortByColumn(static_cast<int>(LibraryColumn::Dips), Qt::DescendingOrder);
    for (const auto& o : order)
        EXPECT_EQ(Cell(table, o.Row == 36 ? 36 : 35 - o.Row, LibraryColumn::Dips), o.Dips) << o.Row;

    const struct {
        const char* Text;
        int Rows;
    } filters[] = {{"pioneer", 12}, {"mcc 004", 12}, {"torn", 1}, {"", 37}};
    for (const auto& f : filters) {
        window.FilterBox->setText(QString::fromLatin1(f.Text));
        window.FilterEdited(window.FilterBox->text());
        EXPECT_EQ(table.rowCount(), f.Rows) << f.Text;
    }

    window.RowDoubleClicked(table.index(0, 3));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front().find(folder.Folder()) == 0 || opened.front().find(added.Folder()) == 0, true);
    const struct {
        int Selected;
        bool Enabled;
    } selections[] = {{8, true}, {9, false}, {2, true}};
    for (const auto& s : selections) {
        window.FileTable->clearSelection();
        for (int row = 0; row < s.Selected; ++row)
            window.FileTable->selectionModel()->select(table.index(row, 0),
                                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        EXPECT_EQ(window.CompareButton->isEnabled(), s.Enabled) << s.Selected;
    }
    window.CompareButton->click();
    EXPECT_EQ(compared.size(), 2u);

    const struct {
        int Grouping;
        int Groups;
    } groupings[] = {{1, 18}, {0, 9}};
    for (const auto& g : groupings) {
        window.GroupingBox->setCurrentIndex(g.Grouping);
        window.GroupingChosen();
        EXPECT_EQ(window.GroupTable->model()->rowCount(), g.Groups);
    }
}

} // namespace
} // namespace velantro
