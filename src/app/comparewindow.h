#pragma once

#include "charts/compareset.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>

class QComboBox;
class QListWidget;
class QPushButton;
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

    const CompareSet& Set() const { return set_; }

    void AddGraphFiles(const QStringList& files);
    void RemoveGraphFile(int index);
    void RebuildLines();
    void DrawComparison();
    void ZoomTo(const ZoomRange& range);
    // The place on the axis under a point of the picture: the middle of its pixel column.
    double AxisPlace(QPointF at) const;
    void ShowReadout(QPointF at);
    void SavePicture();

    // Event handlers, named after control and event.
    void Add_Files_Click();
    void Remove_File_Click();
    void Series_Combo_Click();
    void Axis_Combo_Click();
    void Save_Picture_Click();
    void Picture_Resize();
    void Picture_MouseMove(QPointF at);
    void Picture_MouseLeave();
    void Picture_MouseWheel(QPointF at, double notches);
    void Picture_MouseDrag(QPointF from, QPointF to);
    void Picture_DblClick();
    void Picture_OLEDragDrop(const QStringList& files);
    void Form_KeyDown(int key);
    void Resize_Timer_Timer();

    QPushButton* Add_Files = nullptr;
    QPushButton* Remove_File = nullptr;
    QComboBox* Series_Combo = nullptr;
    QComboBox* Axis_Combo = nullptr;
    QPushButton* Save_Picture = nullptr;
    QListWidget* File_List = nullptr;
    ComparePicture* Picture = nullptr;
    QTimer* Resize_Timer = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QSize WantedSize() const;
    void BuildControls();
    void ConnectHandlers();
    void FillFileList();

    CompareSet set_;
    // The stretch asked for; empty for the whole axis.
    ZoomRange wanted_;
    QString graphFolder_;
    QString pictureFolder_;
    FileDialogs& fileDialogs_;
    MessageBoxes& messageBoxes_;
    bool placed_ = false;
};

} // namespace velantro
