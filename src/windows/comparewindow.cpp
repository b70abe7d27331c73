#include "windows/comparewindow.h"

#include "windows/mainwindow.h"
#include "windows/comparechart.h"
#include "windows/comparepicture.h"
#include "windows/graphpath.h"
#include "windows/windowplacement.h"
#include "capture/imagewriter.h"
#include "capture/savecapture.h"
#include "charts/readout.h"
#include "platform/filedialogs.h"
#include "platform/generaldate.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScreen>
#include <QScrollArea>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace velantro {

namespace {

constexpr const char* SeriesNames[] = {"Write Speed", "Verify Speed", "Write Buffer %"};
constexpr const char* AxisNames[] = {"Sectors", "% of each file's data"};
constexpr const char* PictureDialogTitle = "Save Picture";
// Resizing sends many sizes; the files are read again for the last one only.
constexpr int ResizeSettleMs = 80;
constexpr int SwatchSize = 12;
// Logical pixels of the picture at the least, and of the main window's top
// (its title bar, menus and the start of its charts) left in sight.
constexpr int ChartLeastHeight = 160;
constexpr int OwnerInSight = 120;

char32_t DecimalSeparator()
{
    const QList<uint> separator = QLocale().decimalPoint().toUcs4();
    return separator.isEmpty() ? U'.' : static_cast<char32_t>(separator.first());
}

QString Title()
{
    return QString::fromLatin1(CompareTitle);
}

QString FileName(const CompareFile& file)
{
    return QFileInfo(QFile::decodeName(file.Path.c_str())).fileName();
}

} // namespace

CompareWindow::CompareWindow(const std::string& firstFile, const QString& graphFolder, const QString& pictureFolder,
                             FileDialogs& fileDialogs, MessageBoxes& messageBoxes)
    : QWidget(nullptr, Qt::Window),
      graphFolder_(graphFolder),
      pictureFolder_(pictureFolder),
      fileDialogs_(fileDialogs),
      messageBoxes_(messageBoxes)
{
    setWindowTitle(Title());
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    ConnectHandlers();
    layout()->activate();
    SizePlot();
    if (!firstFile.empty())
        view_.Add({firstFile});
    RebuildLines();
}

void CompareWindow::BuildControls()
{
    AddFilesButton = new QPushButton(QStringLiteral("Add Files..."), this);
    RemoveFileButton = new QPushButton(QStringLiteral("Remove"), this);
    SeriesBox = new QComboBox(this);
    for (const char* name : SeriesNames)
        SeriesBox->addItem(QString::fromLatin1(name));
    AxisBox = new QComboBox(this);
    for (const char* name : AxisNames)
        AxisBox->addItem(QString::fromLatin1(name));
    SavePictureButton = new QPushButton(QStringLiteral("Save Picture..."), this);
    FileList = new QListWidget(this);
    FileList->setMinimumWidth(120);
    FileList->setMaximumWidth(230);
    FileList->setTextElideMode(Qt::ElideMiddle);
    Chart = new ComparePicture(this);
    Chart->View = &view_;
    Chart->setMinimumSize(200, 160);
    // A long legend scrolls with the picture rather than squash the plot.
    ChartArea = new QScrollArea(this);
    ChartArea->setWidget(Chart);
    ChartArea->setWidgetResizable(true);
    ChartArea->setFrameShape(QFrame::NoFrame);
    ChartArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ResizeTimer = new QTimer(this);
    ResizeTimer->setSingleShot(true);
    ResizeTimer->setInterval(ResizeSettleMs);

    // Small enough for a scaled screen of 640 x 512: the picture and the list
    // give way before any control leaves the screen.
    SeriesBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SeriesBox->setMinimumContentsLength(8);
    // Its longest choice whole: a clipped one reads as another.
    AxisBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Show:"), this));
    choices->addWidget(SeriesBox);
    choices->addSpacing(12);
    choices->addWidget(new QLabel(QStringLiteral("X axis:"), this));
    choices->addWidget(AxisBox);
    choices->addStretch();

    auto* files = new QVBoxLayout;
    files->addWidget(FileList);
    for (QPushButton* button : {AddFilesButton, RemoveFileButton, SavePictureButton})
        files->addWidget(button);

    auto* body = new QHBoxLayout;
    body->addLayout(files);
    body->addWidget(ChartArea, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(choices);
    whole->addLayout(body, 1);
    resize(WantedSize());
}

QSize CompareWindow::WantedSize() const
{
    return CompareChart::PictureSize + QSize(FileList->maximumWidth() + 30, 50);
}

void CompareWindow::PlaceBeside(QWidget* owner)
{
    owner_ = owner;
    // A tool window of the main window: a window manager keeps it above that.
    if (owner)
        setParent(owner, Qt::Tool);
}

void CompareWindow::KeepOwnerInSight()
{
    if (!owner_ || !owner_->isVisible() || !screen())
        return;
    const QRect available = screen()->availableGeometry();
    const QRect owner = owner_->frameGeometry();
    const QSize frame = frameGeometry().size() - size();
    QRect place = frameGeometry();
    if (!place.contains(owner))
        return;
    // Into the corner farthest from the owner's title bar and menus, and
    // short enough to leave them in sight.
    place.moveBottomRight(available.bottomRight());
    if (place.contains(owner))
        place.setTop(
            std::min(place.bottom() - minimumSizeHint().height() - frame.height(), owner.top() + OwnerInSight));
    move(place.topLeft());
    resize(place.size() - frame);
}

void CompareWindow::showEvent(QShowEvent* event)
{
    // The first time beside the window it was opened from, fitted to its
    // screen, once the frame around it is known.
    if (!placed_) {
        placed_ = true;
        OpenBeside(*this, owner_ ? owner_.data() : QApplication::activeWindow(), WantedSize());
        KeepOwnerInSight();
    }
    QWidget::showEvent(event);
}

void CompareWindow::ConnectHandlers()
{
    connect(AddFilesButton, &QPushButton::clicked, this, &CompareWindow::AddFilesClicked);
    connect(RemoveFileButton, &QPushButton::clicked, this, &CompareWindow::RemoveFileClicked);
    connect(SeriesBox, &QComboBox::activated, this, &CompareWindow::SeriesChosen);
    connect(AxisBox, &QComboBox::activated, this, &CompareWindow::AxisChosen);
    connect(SavePictureButton, &QPushButton::clicked, this, &CompareWindow::SavePictureClicked);
    connect(Chart, &ComparePicture::Resized, this, &CompareWindow::ChartResized);
    connect(Chart, &ComparePicture::MouseMoved, this, &CompareWindow::ChartMouseMove);
    connect(Chart, &ComparePicture::MouseLeft, this, &CompareWindow::ChartMouseLeft);
    connect(Chart, &ComparePicture::WheelTurned, this, &CompareWindow::ChartWheelTurned);
    connect(Chart, &ComparePicture::WheelPanned, this, &CompareWindow::ChartWheelPanned);
    connect(Chart, &ComparePicture::Dragged, this, &CompareWindow::ChartDragged);
    connect(Chart, &ComparePicture::DoubleClicked, this, &CompareWindow::ChartDoubleClicked);
    connect(Chart, &ComparePicture::FilesDropped, this, &CompareWindow::ChartFilesDropped);
    connect(ResizeTimer, &QTimer::timeout, this, &CompareWindow::ResizeSettled);
}

void CompareWindow::AddGraphFiles(const QStringList& files)
{
    // Names stay the platform's bytes up to the open call, as the main window keeps them.
    std::vector<std::string> graphFiles;
    for (const QString& file : files) {
        const std::string path = QFile::encodeName(file).toStdString();
        if (HasIbgEnding(path))
            graphFiles.push_back(path);
    }
    if (graphFiles.size() < static_cast<std::size_t>(files.size()))
        messageBoxes_.Show(this, QString::fromLatin1(WrongTypeText), QString::fromLatin1(WrongTypeTitle));
    if (graphFiles.empty())
        return;
    SizePlot();
    const CompareAdded added = view_.Add(graphFiles);
    if (added.Drawn + added.Unreadable > 0)
        graphFolder_ = QFileInfo(QFile::decodeName(graphFiles.back().c_str())).absolutePath();
    ShowComparison();
    if (const std::string word = CompareAddedText(added); !word.empty())
        messageBoxes_.Show(this, QString::fromStdString(word), Title());
}

void CompareWindow::RemoveGraphFile(int index)
{
    if (index < 0)
        return;
    SizePlot();
    view_.Remove(static_cast<std::size_t>(index));
    ShowComparison();
}

void CompareWindow::RebuildLines()
{
    view_.SetSeries(static_cast<CompareSeries>(std::max(0, SeriesBox->currentIndex())));
    view_.SetAxis(static_cast<CompareAxis>(std::max(0, AxisBox->currentIndex())));
    SizePlot();
    view_.Rebuild();
    ShowComparison();
}

void CompareWindow::SizePlot()
{
    const qreal ratio = Chart->devicePixelRatioF();
    const QRect plot = CompareChart::PlotArea(view_.Set(), Chart->size(), ratio);
    view_.SetPlot(plot.width(), plot.height(), ratio);
}

void CompareWindow::ShowComparison()
{
    FillFileList();
    FitChartHeight();
    DrawComparison();
}

void CompareWindow::FitChartHeight()
{
    const int least = std::max(ChartLeastHeight, CompareChart::LeastHeight(view_.Set(), Chart->width()));
    Chart->setMinimumHeight(least);
    const int missing = least - ChartArea->viewport()->height();
    if (missing <= 0 || !isVisible() || !screen())
        return;
    // Taller within the screen; what still does not fit scrolls.
    const QRect available = screen()->availableGeometry();
    QRect place = frameGeometry();
    place.setHeight(std::min(available.height(), place.height() + missing));
    place.moveTop(std::max(available.top(), std::min(place.top(), available.bottom() + 1 - place.height())));
    const QSize frame = frameGeometry().size() - size();
    move(place.topLeft());
    resize(place.size() - frame);
}

void CompareWindow::DrawComparison()
{
    QImage image = CompareChart::Draw(view_, Chart->size(), Chart->devicePixelRatioF());
    if (view_.Set().DrawnCount() == 0) {
        QPainter painter(&image);
        painter.setPen(Qt::darkGray);
        painter.drawText(Chart->PlotRect(), Qt::AlignCenter,
                         QStringLiteral("Add ImgBurn graph files with Add Files..., or drop them here."));
    }
    Chart->SetImage(image);
    Chart->Readout->hide();
}

void CompareWindow::FillFileList()
{
    const int selected = FileList->currentRow();
    FileList->clear();
    for (std::size_t i = 0; i < view_.Set().Files().size(); ++i) {
        const CompareFile& file = view_.Set().Files()[i];
        QPixmap swatch(SwatchSize, SwatchSize);
        swatch.fill(file.Drawn() ? CompareChart::FileColour(file.Slot) : QColor(Qt::transparent));
        auto* item = new QListWidgetItem(QIcon(swatch), FileName(file), FileList);
        QString tip = QFile::decodeName(file.Path.c_str());
        if (!file.Drawn()) {
            item->setText(FileName(file) + QStringLiteral("\nleft out: ") + QString::fromStdString(file.Error));
            item->setForeground(Qt::darkGray);
            tip += QStringLiteral("\nLeft out: ") + QString::fromStdString(file.Error);
        } else {
            const std::string legend = CompareLegendText(file, CompareFileName(file), GeneralDate(file.Date));
            tip += u'\n' + QString::fromStdString(legend);
        }
        item->setToolTip(tip);
    }
    FileList->setCurrentRow(std::min(selected, FileList->count() - 1));
}

void CompareWindow::ZoomTo(const ZoomRange& range)
{
    SizePlot();
    if (view_.ZoomTo(range))
        DrawComparison();
}

QPointF CompareWindow::PlotPlace(QPointF at) const
{
    const qreal ratio = Chart->devicePixelRatioF();
    const QRect plot = CompareChart::PlotArea(view_.Set(), Chart->size(), ratio);
    return at * ratio - QPointF(plot.topLeft());
}

double CompareWindow::AxisPlace(QPointF at) const
{
    return view_.AxisPlace(PlotPlace(at).x());
}

void CompareWindow::ShowReadout(QPointF at)
{
    QLabel& box = *Chart->Readout;
    const QPointF place = PlotPlace(at);
    const std::optional<CompareReadout> readout = view_.ReadoutAt(place.x(), place.y(), DecimalSeparator());
    if (!readout) {
        box.hide();
        return;
    }
    QStringList lines{QString::fromStdString(readout->Place).toHtmlEscaped()};
    for (const CompareReadoutValue& value : readout->Values)
        lines << QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2: %3")
                     .arg(QColor::fromRgb(static_cast<QRgb>(value.Ink)).name(),
                          QString::fromStdString(value.Name).toHtmlEscaped(), QString::fromStdString(value.Value));
    box.setText(lines.join(QStringLiteral("<br>")));
    box.adjustSize();
    const ReadoutPlace spot =
        PlaceReadout(static_cast<float>(at.x()), static_cast<float>(at.y()), static_cast<float>(box.width()),
                     static_cast<float>(box.height()), static_cast<float>(Chart->width()),
                     static_cast<float>(Chart->height()));
    box.move(static_cast<int>(std::lround(spot.Left)), static_cast<int>(std::lround(spot.Top)));
    box.show();
}

void CompareWindow::SavePicture()
{
    const std::optional<QString> chosen =
        fileDialogs_.GetSaveFileName(this, QString::fromLatin1(PictureDialogTitle),
                                     QStringLiteral("Portable Network Graphics (*.png)"), QStringLiteral("*.png"),
                                     pictureFolder_, QStringLiteral("Compare"), QStringLiteral("png"));
    if (!chosen || chosen->isEmpty())
        return;
    const QString target = CaptureTargetFor(*chosen);
    // The dialog asked about the name it showed, not about this one.
    if (target != *chosen && QFileInfo::exists(target) &&
        !messageBoxes_.Ask(this, QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(target),
                           QString::fromLatin1(PictureDialogTitle)))
        return;
    pictureFolder_ = QFileInfo(target).absolutePath();
    ImageWriter writer;
    if (!writer.Save(Chart->Image(), target))
        messageBoxes_.Show(this, QStringLiteral("The picture could not be saved as\n%1\n\n%2").arg(target, writer.FailureText()),
                           QString::fromLatin1(PictureDialogTitle));
}

void CompareWindow::AddFilesClicked()
{
    AddGraphFiles(fileDialogs_.GetOpenFileNames(this, QStringLiteral("Add ImgBurn Graph Files"),
                                                QStringLiteral("ImgBurn Graph Files (*.ibg)"),
                                                QStringLiteral("*.ibg"), graphFolder_));
}

void CompareWindow::RemoveFileClicked()
{
    RemoveGraphFile(FileList->currentRow());
}

void CompareWindow::SeriesChosen()
{
    RebuildLines();
}

void CompareWindow::AxisChosen()
{
    RebuildLines();
}

void CompareWindow::SavePictureClicked()
{
    SavePicture();
}

void CompareWindow::ChartResized()
{
    ResizeTimer->start();
}

void CompareWindow::ChartMouseMove(QPointF at)
{
    ShowReadout(at);
}

void CompareWindow::ChartMouseLeft()
{
    Chart->Readout->hide();
}

void CompareWindow::ChartWheelTurned(QPointF at, double notches)
{
    SizePlot();
    if (view_.Wheel(PlotPlace(at).x(), notches))
        DrawComparison();
}

void CompareWindow::ChartWheelPanned(double steps)
{
    SizePlot();
    if (view_.Pan(steps))
        DrawComparison();
}

void CompareWindow::ChartDragged(QPointF from, QPointF to)
{
    SizePlot();
    if (view_.Drag(PlotPlace(from).x(), PlotPlace(to).x()))
        DrawComparison();
}

void CompareWindow::ChartDoubleClicked()
{
    SizePlot();
    if (view_.ShowWhole())
        DrawComparison();
}

void CompareWindow::ChartFilesDropped(const QStringList& files)
{
    AddGraphFiles(files);
}

void CompareWindow::KeyPressed(int key)
{
    // Escape ends a drag first, as in the main window; the comparison stays.
    if (key == Qt::Key_Escape && !Chart->CancelDrag())
        close();
    else if (key == Qt::Key_Delete)
        RemoveGraphFile(FileList->currentRow());
    else if (key == Qt::Key_Left || key == Qt::Key_Right)
        ChartWheelPanned(key == Qt::Key_Left ? -1 : 1);
}

void CompareWindow::ResizeSettled()
{
    const QSize wanted = Chart->size() * Chart->devicePixelRatioF();
    if (Chart->Image().size() != wanted) {
        SizePlot();
        view_.Rebuild();
        FitChartHeight();
        DrawComparison();
    }
}

void CompareWindow::keyPressEvent(QKeyEvent* event)
{
    KeyPressed(event->key());
    QWidget::keyPressEvent(event);
}

} // namespace velantro
