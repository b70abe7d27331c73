#pragma once

#include "compare/compareview.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>

class QComboBox;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTimer;

namespace velantro {

class ComparePicture;
class FileDialogs;
class MessageBoxes;

inline constexpr const char* CompareTitle = "Compare Graph Files";

// Several graph files' lines over one axis, in a window of their own. Every
// change of size, zoom or choice reads the files again; the window keeps only
// a summary per pixel column of each. It writes nothing but the pictures
// asked for.
class CompareWindow : public QWidget {
    Q_OBJECT

public:
    // The first file is the main window's current one ("" for none); the
    // folders are where the dialogs start.
    CompareWindow(const std::string& firstFile, const QString& graphFolder, const QString& pictureFolder,
                  FileDialogs& fileDialogs, MessageBoxes& messageBoxes);

    const CompareSet& Set() const { return view_.Set(); }
    CompareView& View() { return view_; }

    void AddGraphFiles(const QStringList& files);
    void RemoveGraphFile(int index);
    void RebuildLines();
    void DrawComparison();
    void ZoomTo(const ZoomRange& range);
    // The place on the axis under a point of the picture: the middle of its pixel column.
    double AxisPlace(QPointF at) const;
    // A point of the picture in device pixels from the plot's top left.
    QPointF PlotPlace(QPointF at) const;
    void ShowReadout(QPointF at);
    void SavePicture();
    // When first shown: sized to the owner's screen and opened beside the owner, or over it.
    // A tool window of the owner, never covering it whole.
    void PlaceBeside(QWidget* owner);

    // Event handlers, named for the control and what happened to it.
    void AddFilesClicked();
    void RemoveFileClicked();
    void SeriesChosen();
    void AxisChosen();
    void SavePictureClicked();
    void ChartResized();
    void ChartMouseMove(QPointF at);
    void ChartMouseLeft();
    void ChartWheelTurned(QPointF at, double notches);
    void ChartWheelPanned(double steps);
    void ChartDragged(QPointF from, QPointF to);
    void ChartDoubleClicked();
    void ChartFilesDropped(const QStringList& files);
    void KeyPressed(int key);
    void ResizeSettled();

    QPushButton* AddFilesButton = nullptr;
    QPushButton* RemoveFileButton = nullptr;
    QComboBox* SeriesBox = nullptr;
    QComboBox* AxisBox = nullptr;
    QPushButton* SavePictureButton = nullptr;
    QListWidget* FileList = nullptr;
    ComparePicture* Chart = nullptr;
    QScrollArea* ChartArea = nullptr;
    QTimer* ResizeTimer = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QSize WantedSize() const;
    void BuildControls();
    void ConnectHandlers();
    void FillFileList();
    // The view's plot as the picture's size and legend leave it.
    void SizePlot();
    void ShowComparison();
    // The picture's least height for its legend, the window grown within the screen for it.
    void FitChartHeight();
    void KeepOwnerInSight();

    CompareView view_;
    QString graphFolder_;
    QString pictureFolder_;
    FileDialogs& fileDialogs_;
    MessageBoxes& messageBoxes_;
    bool placed_ = false;
    QPointer<const QWidget> owner_;
};

} // namespace velantro
