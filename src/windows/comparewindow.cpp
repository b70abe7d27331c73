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
#include "platform/messageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace velantro {

namespace {

constexpr const char* SeriesNames[] = {"Write Speed", "Verify Speed", "Write Buffer %"};
constexpr const char* AxisNames[] = {"Sectors", "% of each file's data"};
constexpr const char* PictureDialogTitle = "Save Picture";
// Resizing sends many sizes; the files are read again for the last one only.
constexpr int ResizeSettleMs = 80;
constexpr int SwatchSize = 12;

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
    if (!firstFile.empty())
        set_.Add(firstFile);
    layout()->activate();
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
    Chart->Set = &set_;
    Chart->setMinimumSize(200, 160);
    ResizeTimer = new QTimer(this);
    ResizeTimer->setSingleShot(true);
    ResizeTimer->setInterval(ResizeSettleMs);

    // Small enough for a scaled screen of 640 x 512: the picture and the list
    // give way before any control leaves the screen.
    SeriesBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    AxisBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SeriesBox->setMinimumContentsLength(8);
    AxisBox->setMinimumContentsLength(8);
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
    body->addWidget(Chart, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(choices);
    whole->addLayout(body, 1);
    resize(WantedSize());
}

QSize CompareWindow::WantedSize() const
{
    return CompareChart::PictureSize + QSize(FileList->maximumWidth() + 30, 50);
}

void CompareWindow::PlaceBeside(const QWidget* owner)
{
    owner_ = owner;
}

void CompareWindow::showEvent(QShowEvent* event)
{
    // The first time beside the window it was opened from, fitted to its
    // screen, once the frame around it is known.
    if (!placed_) {
        placed_ = true;
        OpenBeside(*this, owner_ ? owner_.data() : QApplication::activeWindow(), WantedSize());
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
    // Files left out hold no colour and leave room for others.
    const std::size_t room = set_.FreeSlots();
    if (graphFiles.size() > room) {
        messageBoxes_.Show(this,
                           QStringLiteral("At most %1 graph files can be compared: %2 of them were not added.")
                               .arg(MaxCompareFiles)
                               .arg(graphFiles.size() - room),
                           Title());
        graphFiles.resize(room);
    }
    if (graphFiles.empty())
        return;
    for (const std::string& file : graphFiles)
        set_.Add(file);
    graphFolder_ = QFileInfo(QFile::decodeName(graphFiles.back().c_str())).absolutePath();
    RebuildLines();
}

void CompareWindow::RemoveGraphFile(int index)
{
    if (index < 0)
        return;
    set_.Remove(static_cast<std::size_t>(index));
    RebuildLines();
}

void CompareWindow::RebuildLines()
{
    const auto series = static_cast<CompareSeries>(std::max(0, SeriesBox->currentIndex()));
    const auto axis = static_cast<CompareAxis>(std::max(0, AxisBox->currentIndex()));
    set_.Rebuild(series, axis, wanted_, CompareChart::PlotArea(set_, Chart->size(), Chart->devicePixelRatioF()).width());
    FillFileList();
    DrawComparison();
}

void CompareWindow::DrawComparison()
{
    QImage image = CompareChart::Draw(set_, Chart->size(), Chart->devicePixelRatioF());
    if (set_.DrawnCount() == 0) {
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
    for (std::size_t i = 0; i < set_.Files().size(); ++i) {
        const CompareFile& file = set_.Files()[i];
        QPixmap swatch(SwatchSize, SwatchSize);
        swatch.fill(file.Drawn() ? CompareChart::FileColour(file.Slot) : QColor(Qt::transparent));
        auto* item = new QListWidgetItem(QIcon(swatch), FileName(file), FileList);
        QString tip = QFile::decodeName(file.Path.c_str());
        if (!file.Drawn()) {
            item->setText(FileName(file) + QStringLiteral("\nleft out: ") + QString::fromStdString(file.Error));
            item->setForeground(Qt::darkGray);
            tip += QStringLiteral("\nLeft out: ") + QString::fromStdString(file.Error);
        } else {
            tip += u'\n' + CompareChart::LegendText(file);
        }
        item->setToolTip(tip);
    }
    FileList->setCurrentRow(std::min(selected, FileList->count() - 1));
}

void CompareWindow::ZoomTo(const ZoomRange& range)
{
    const ZoomRange clamped = ClampZoom(range, set_.Limits());
    wanted_ = ShowsWhole(clamped, set_.Limits()) ? ZoomRange{} : clamped;
    RebuildLines();
}

double CompareWindow::AxisPlace(QPointF at) const
{
    const qreal ratio = Chart->devicePixelRatioF();
    const QRect plot = CompareChart::PlotArea(set_, Chart->size(), ratio);
    const double column = std::floor(at.x() * ratio - plot.left());
    const ZoomRange& view = set_.View();
    return view.Left + (column + 0.5) / plot.width() * view.Width();
}

void CompareWindow::ShowReadout(QPointF at)
{
    QLabel& box = *Chart->Readout;
    const QRectF plot = Chart->PlotRect();
    if (!plot.contains(at) || set_.DrawnCount() == 0) {
        box.hide();
        return;
    }
    const double x = AxisPlace(at);
    QStringList lines{CompareChart::PlaceText(set_, x).toHtmlEscaped()};
    for (std::size_t i = 0; i < set_.Files().size(); ++i) {
        const CompareFile& file = set_.Files()[i];
        const std::optional<double> value = file.Drawn() ? file.Line.ValueAt(x) : std::nullopt;
        if (value)
            lines << QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2: %3")
                         .arg(CompareChart::FileColour(file.Slot).name(), FileName(file).toHtmlEscaped(),
                              CompareChart::ValueText(set_, *value));
    }
    box.setText(lines.join(QStringLiteral("<br>")));
    box.adjustSize();
    const ReadoutPlace place =
        PlaceReadout(static_cast<float>(at.x()), static_cast<float>(at.y()), static_cast<float>(box.width()),
                     static_cast<float>(box.height()), static_cast<float>(Chart->width()),
                     static_cast<float>(Chart->height()));
    box.move(static_cast<int>(std::lround(place.Left)), static_cast<int>(std::lround(place.Top)));
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
    // Sectors and shares are different axes: a zoom of one means nothing on the other.
    wanted_ = {};
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
    ZoomTo(ZoomAround(set_.View(), AxisPlace(at), notches, set_.Limits()));
}

void CompareWindow::ChartDragged(QPointF from, QPointF to)
{
    ZoomTo(ZoomToDrag(set_.View(), AxisPlace(from), AxisPlace(to), set_.Limits()));
}

void CompareWindow::ChartDoubleClicked()
{
    ZoomTo(WholeRange(set_.Limits()));
}

void CompareWindow::ChartFilesDropped(const QStringList& files)
{
    AddGraphFiles(files);
}

void CompareWindow::KeyPressed(int key)
{
    if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_Delete)
        RemoveGraphFile(FileList->currentRow());
}

void CompareWindow::ResizeSettled()
{
    const QSize wanted = Chart->size() * Chart->devicePixelRatioF();
    if (Chart->Image().size() != wanted)
        RebuildLines();
}

void CompareWindow::keyPressEvent(QKeyEvent* event)
{
    KeyPressed(event->key());
    QWidget::keyPressEvent(event);
}

} // namespace velantro
