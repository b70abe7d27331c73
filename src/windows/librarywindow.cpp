#include "windows/librarywindow.h"

#include "library/libraryfiles.h"
#include "library/libraryreading.h"
#include "platform/getpaths.h"
#include "windows/comparewindow.h"
#include "windows/droppedfiles.h"
#include "windows/mainwindow.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace velantro {

namespace {

// The compare window's limit.
constexpr int MaxComparedFiles = 8;
// How often what the reading threads did reaches the table: often enough to
// watch it fill, seldom enough that thousands of rows never hold up a click.
constexpr int TakeIntervalMs = 100;
constexpr int FittedRows = 40;

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PlatformName(const std::string& path)
{
    return QFile::decodeName(path.c_str());
}

} // namespace

int LibraryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : LibraryColumnCount;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const LibraryRow& row = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<LibraryColumn>(index.column());
    if (role == Qt::DisplayRole) {
        const std::string text = CellText(row, column);
        return column == LibraryColumn::File ? PlatformName(text) : Utf8(text);
    }
    if (role == Qt::ToolTipRole && column == LibraryColumn::File)
        return PlatformName(row.File);
    if (role == Qt::TextAlignmentRole && column >= LibraryColumn::SpeedStart && column <= LibraryColumn::BurnTime)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= LibraryColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(ColumnTitle(static_cast<LibraryColumn>(section)));
}

void LibraryModel::Append(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(paths.size()) - 1);
    const std::vector<LibraryRow> listed = ListedRows(paths);
    rows_.insert(rows_.end(), listed.begin(), listed.end());
    endInsertRows();
}

void LibraryModel::Update(std::vector<std::pair<std::size_t, LibraryRow>>& read)
{
    if (read.empty())
        return;
    std::size_t first = read.front().first, last = first;
    for (auto& [index, row] : read) {
        rows_[index] = std::move(row);
        first = std::min(first, index);
        last = std::max(last, index);
    }
    emit dataChanged(index(static_cast<int>(first), 0), index(static_cast<int>(last), LibraryColumnCount - 1));
}

int GroupModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(groups_.size());
}

int GroupModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : GroupColumnCount;
}

QVariant GroupModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(groups_.size()))
        return {};
    const auto column = static_cast<GroupColumn>(index.column());
    if (role == Qt::DisplayRole)
        return Utf8(GroupCellText(groups_[static_cast<std::size_t>(index.row())], column));
    if (role == Qt::TextAlignmentRole && column >= GroupColumn::Burns)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant GroupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= GroupColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(GroupColumnTitle(static_cast<GroupColumn>(section)));
}

void GroupModel::Show(std::vector<LibraryGroup> groups, GroupBy by)
{
    beginResetModel();
    groups_ = std::move(groups);
    by_ = by;
    endResetModel();
}

void LibraryProxy::SetText(const QString& text)
{
    text_ = text.toStdString();
    invalidateFilter();
}

bool LibraryProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // The view puts right before left when descending.
    const auto& rows = static_cast<const LibraryModel*>(sourceModel())->Rows();
    const LibraryRow& a = rows[static_cast<std::size_t>(left.row())];
    const LibraryRow& b = rows[static_cast<std::size_t>(right.row())];
    const auto column = static_cast<LibraryColumn>(left.column());
    return sortOrder() == Qt::DescendingOrder ? RowBefore(b, a, column, true) : RowBefore(a, b, column, false);
}

bool LibraryProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto& rows = static_cast<const LibraryModel*>(sourceModel())->Rows();
    return RowMatches(rows[static_cast<std::size_t>(sourceRow)], text_);
}

bool GroupProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto& groups = static_cast<const GroupModel*>(sourceModel())->Groups();
    return GroupCellLess(groups[static_cast<std::size_t>(left.row())], groups[static_cast<std::size_t>(right.row())],
                         static_cast<GroupColumn>(left.column()));
}

LibraryWindow::LibraryWindow(const std::vector<std::string>& folders, OpenFile openFile, CompareFiles compareFiles,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), openFile_(std::move(openFile)), compareFiles_(std::move(compareFiles))
{
    setWindowTitle(QStringLiteral("Burn Library"));
    setAcceptDrops(true);
    BuildControls();
    ConnectHandlers();
    reader_ = std::thread([this] { ReadFolders(); });
    AddFolders(folders);
    TakeTimer->start(TakeIntervalMs);
}

LibraryWindow::~LibraryWindow()
{
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    reader_.join();
}

void LibraryWindow::BuildControls()
{
    FilterBox = new QLineEdit(this);
    FilterBox->setPlaceholderText(QStringLiteral("Filter"));
    FilterBox->setClearButtonEnabled(true);
    AddFolderButton = new QPushButton(QStringLiteral("Add Folder..."), this);
    CompareButton = new QPushButton(QStringLiteral("Compare"), this);
    CompareButton->setEnabled(false);
    auto* top = new QHBoxLayout;
    top->addWidget(FilterBox, 1);
    top->addWidget(AddFolderButton);
    top->addWidget(CompareButton);

    Files = new LibraryModel;
    Files->setParent(this);
    FileOrder = new LibraryProxy;
    FileOrder->setParent(this);
    FileOrder->setSourceModel(Files);
    FileTable = new QTableView(this);
    FileTable->setModel(FileOrder);
    FileTable->setSortingEnabled(true);
    FileTable->sortByColumn(-1, Qt::AscendingOrder);
    FileTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FileTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileTable->verticalHeader()->hide();
    FileTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    FileTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Fitting the columns looks at a screenful of rows, not at thousands.
    FileTable->horizontalHeader()->setResizeContentsPrecision(FittedRows);

    Groups = new GroupModel;
    Groups->setParent(this);
    GroupOrder = new GroupProxy;
    GroupOrder->setParent(this);
    GroupOrder->setSourceModel(Groups);
    GroupTable = new QTableView(this);
    GroupTable->horizontalHeader()->setResizeContentsPrecision(FittedRows);
    GroupTable->setModel(GroupOrder);
    GroupTable->setSortingEnabled(true);
    GroupTable->sortByColumn(-1, Qt::AscendingOrder);
    GroupTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    GroupTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GroupTable->verticalHeader()->hide();
    GroupTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    GroupingBox = new QComboBox(this);
    GroupingBox->addItem(QStringLiteral("By drive and media ID"));
    GroupingBox->addItem(QStringLiteral("By drive, media ID and speed selected"));
    auto* groupPage = new QWidget(this);
    auto* groupLayout = new QVBoxLayout(groupPage);
    groupLayout->addWidget(GroupingBox, 0, Qt::AlignLeft);
    groupLayout->addWidget(GroupTable, 1);

    Views = new QTabWidget(this);
    Views->addTab(FileTable, QStringLiteral("Files"));
    Views->addTab(groupPage, QStringLiteral("Drive and Media"));

    Progress = new QProgressBar(this);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Notes = new QLabel(this);
    Notes->setTextFormat(Qt::PlainText);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Progress, 1);
    bottom->addWidget(Notes);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Views, 1);
    layout->addLayout(bottom);
    TakeTimer = new QTimer(this);
    resize(1100, 600);
    RegroupBurns();
}

void LibraryWindow::ConnectHandlers()
{
    connect(FilterBox, &QLineEdit::textEdited, this, &LibraryWindow::FilterEdited);
    connect(AddFolderButton, &QPushButton::clicked, this, &LibraryWindow::AddFolderClicked);
    connect(CompareButton, &QPushButton::clicked, this, &LibraryWindow::CompareClicked);
    connect(FileTable, &QTableView::doubleClicked, this, &LibraryWindow::RowDoubleClicked);
    connect(FileTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryWindow::SelectionChanged);
    connect(GroupingBox, &QComboBox::activated, this, &LibraryWindow::GroupingChosen);
    connect(TakeTimer, &QTimer::timeout, this, &LibraryWindow::TakeReadRows);
}

void LibraryWindow::AddFolders(const std::vector<std::string>& folders)
{
    if (folders.empty())
        return;
    {
        const std::lock_guard lock(mutex_);
        pendingFolders_.push_back(folders);
    }
    wake_.notify_all();
}

// The reading thread: each batch of folders is searched, then read on every core.
void LibraryWindow::ReadFolders()
{
    LibraryFinder finder;
    std::size_t base = 0;
    for (;;) {
        std::vector<std::string> folders;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !pendingFolders_.empty(); });
            if (stop_)
                return;
            for (const auto& batch : pendingFolders_)
                folders.insert(folders.end(), batch.begin(), batch.end());
            pendingFolders_.clear();
            busy_ = true;
        }
        const LibraryFiles found = finder.Find(folders);
        std::vector<LibraryRow> rows = ListedRows(found.Paths);
        {
            const std::lock_guard lock(mutex_);
            foundPaths_.insert(foundPaths_.end(), found.Paths.begin(), found.Paths.end());
            foundNotes_.insert(foundNotes_.end(), found.Notes.begin(), found.Notes.end());
        }
        ReadLibrary(
            rows, ReadingThreads(),
            [&](std::size_t index) {
                const std::lock_guard lock(mutex_);
                readRows_.emplace_back(base + index, rows[index]);
            },
            &stop_);
        base += rows.size();
        const std::lock_guard lock(mutex_);
        busy_ = false;
    }
}

void LibraryWindow::TakeReadRows()
{
    std::vector<std::string> paths;
    std::vector<std::string> notes;
    std::vector<std::pair<std::size_t, LibraryRow>> read;
    {
        const std::lock_guard lock(mutex_);
        paths.swap(foundPaths_);
        notes.swap(foundNotes_);
        read.swap(readRows_);
    }
    if (paths.empty() && notes.empty() && read.empty())
        return;
    Files->Append(paths);
    for (const std::string& note : notes)
        notes_.append(Utf8(note));
    if (!notes_.isEmpty()) {
        Notes->setText(notes_.size() == 1 ? QStringLiteral("1 passed over")
                                          : QStringLiteral("%1 passed over").arg(notes_.size()));
        Notes->setToolTip(notes_.mid(0, 50).join(QLatin1Char('\n')));
    }
    const bool reported = std::any_of(read.begin(), read.end(),
                                      [](const auto& entry) { return entry.second.Stage == RowStage::Report; });
    Files->Update(read);
    // A header is half a row's reading, its report the other half.
    std::size_t stages = 0;
    for (const LibraryRow& row : Files->Rows())
        stages += static_cast<std::size_t>(row.Stage);
    const std::size_t total = Files->Rows().size();
    Progress->setRange(0, static_cast<int>(std::max<std::size_t>(1, 2 * total)));
    Progress->setValue(static_cast<int>(total == 0 ? 1 : stages));
    if (reported)
        RegroupBurns();
    // Once, when the first rows are whole; after that the user's widths stay.
    if (reported && !fitted_) {
        fitted_ = true;
        FileTable->resizeColumnsToContents();
    }
}

void LibraryWindow::RegroupBurns()
{
    const GroupBy by = GroupingBox->currentIndex() == 1 ? GroupBy::DriveMediaSpeed : GroupBy::DriveMedia;
    LibraryGroups groups(by);
    for (const LibraryRow& row : Files->Rows())
        groups.Add(row);
    Groups->Show(groups.Groups(), by);
    GroupTable->setColumnHidden(static_cast<int>(GroupColumn::SpeedSelected), by == GroupBy::DriveMedia);
    GroupTable->resizeColumnsToContents();
}

bool LibraryWindow::ReadingDone() const
{
    const std::lock_guard lock(mutex_);
    return !busy_ && pendingFolders_.empty() && foundPaths_.empty() && readRows_.empty();
}

std::vector<std::string> LibraryWindow::SelectedFiles() const
{
    std::vector<std::string> files;
    for (const QModelIndex& index : FileTable->selectionModel()->selectedRows())
        files.push_back(Files->Rows()[static_cast<std::size_t>(FileOrder->mapToSource(index).row())].File);
    return files;
}

void LibraryWindow::AddFolderClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Add Folder"));
    if (!folder.isEmpty())
        AddFolders({QFile::encodeName(folder).toStdString()});
}

void LibraryWindow::FilterEdited(const QString& text)
{
    FileOrder->SetText(text);
}

void LibraryWindow::RowDoubleClicked(const QModelIndex& index)
{
    if (index.isValid() && openFile_)
        openFile_(Files->Rows()[static_cast<std::size_t>(FileOrder->mapToSource(index).row())].File);
}

void LibraryWindow::CompareClicked()
{
    const std::vector<std::string> files = SelectedFiles();
    if (!files.empty() && files.size() <= MaxComparedFiles && compareFiles_)
        compareFiles_(files);
}

void LibraryWindow::SelectionChanged()
{
    const auto count = FileTable->selectionModel()->selectedRows().size();
    CompareButton->setEnabled(count >= 1 && count <= MaxComparedFiles);
}

void LibraryWindow::GroupingChosen()
{
    RegroupBurns();
}

void LibraryWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (BringsFiles(event->mimeData()))
        event->acceptProposedAction();
}

void LibraryWindow::dropEvent(QDropEvent* event)
{
    std::vector<std::string> folders;
    for (const QString& file : DroppedFiles(event->mimeData()))
        folders.push_back(QFile::encodeName(file).toStdString());
    AddFolders(folders);
    event->acceptProposedAction();
}

void ShowLibraryWindow(MainWindow& mainWindow)
{
    LibraryWindow* window = mainWindow.findChild<LibraryWindow*>();
    if (window == nullptr) {
        const auto open = [&mainWindow](const std::string& file) {
            mainWindow.OpenDroppedFiles({PlatformName(file)});
            mainWindow.raise();
            mainWindow.activateWindow();
        };
        const auto compare = [&mainWindow](const std::vector<std::string>& files) {
            mainWindow.ShowCompareWindow();
            CompareWindow* compareWindow = mainWindow.Compare();
            // The selection alone, not added to what was compared before.
            while (!compareWindow->Set().Files().empty())
                compareWindow->RemoveGraphFile(static_cast<int>(compareWindow->Set().Files().size()) - 1);
            QStringList names;
            for (const std::string& file : files)
                names.append(PlatformName(file));
            compareWindow->AddGraphFiles(names);
        };
        window = new LibraryWindow(FindImgBurnGraphFolders(), open, compare, &mainWindow);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace velantro
