#pragma once

#include "library/librarygroups.h"
#include "library/libraryrow.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QWidget>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTabWidget;
class QTimer;

namespace velantro {

class MainWindow;

// The rows as the core reads them; every text and order comes from the core.
class LibraryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const std::vector<LibraryRow>& Rows() const { return rows_; }
    void Append(const std::vector<std::string>& paths);
    // Rows read further; one change for the stretch they lie in, so that a
    // sorted view sorts once for thousands of them.
    void Update(std::vector<std::pair<std::size_t, LibraryRow>>& read);

private:
    std::vector<LibraryRow> rows_;
};

class GroupModel : public QAbstractTableModel {
    Q_OBJECT

public:
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const std::vector<LibraryGroup>& Groups() const { return groups_; }
    void Show(std::vector<LibraryGroup> groups, GroupBy by);

private:
    std::vector<LibraryGroup> groups_;
    GroupBy by_ = GroupBy::DriveMedia;
};

// Sorts by the core's order and filters by its match.
class LibraryProxy : public QSortFilterProxyModel {
    Q_OBJECT

public:
    void SetText(const QString& text);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::string text_;
};

class GroupProxy : public QSortFilterProxyModel {
    Q_OBJECT

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// A row per graph file of the folders ImgBurn keeps them in and of those the
// user adds, read in the background on every core; and the burns' figures
// by drive and media. Files open in the main window and the compare window.
class LibraryWindow : public QWidget {
    Q_OBJECT

public:
    // What a double-click and a selection do with the files.
    using OpenFile = std::function<void(const std::string&)>;
    using CompareFiles = std::function<void(const std::vector<std::string>&)>;
    LibraryWindow(const std::vector<std::string>& folders, OpenFile openFile, CompareFiles compareFiles,
                  QWidget* parent = nullptr);
    ~LibraryWindow() override;

    void AddFolders(const std::vector<std::string>& folders);
    // Moves what the reading threads have done into the table.
    void TakeReadRows();
    void RegroupBurns();
    // Whether every file found so far has been read whole.
    bool ReadingDone() const;

    // Event handlers, named for the control and what happened to it.
    void AddFolderClicked();
    void FilterEdited(const QString& text);
    void RowDoubleClicked(const QModelIndex& index);
    void CompareClicked();
    void SelectionChanged();
    void GroupingChosen();

    QLineEdit* FilterBox = nullptr;
    QPushButton* AddFolderButton = nullptr;
    QPushButton* CompareButton = nullptr;
    QTabWidget* Views = nullptr;
    QTableView* FileTable = nullptr;
    QTableView* GroupTable = nullptr;
    QComboBox* GroupingBox = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Notes = nullptr;
    LibraryModel* Files = nullptr;
    GroupModel* Groups = nullptr;
    LibraryProxy* FileOrder = nullptr;
    GroupProxy* GroupOrder = nullptr;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    void ReadFolders();
    std::vector<std::string> SelectedFiles() const;

    OpenFile openFile_;
    CompareFiles compareFiles_;

    // Shared with the reading thread, under mutex_.
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::vector<std::string>> pendingFolders_;
    std::vector<std::string> foundPaths_;
    std::vector<std::string> foundNotes_;
    std::vector<std::pair<std::size_t, LibraryRow>> readRows_;
    bool busy_ = false;
    std::atomic<bool> stop_{false};

    QStringList notes_;
    bool fitted_ = false;
    QTimer* TakeTimer = nullptr;
    std::thread reader_;
};

// Tools > "Burn Library...": one library window beside the main window.
void ShowLibraryWindow(MainWindow& mainWindow);

} // namespace velantro
