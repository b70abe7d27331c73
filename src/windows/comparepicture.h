#pragma once

#include <QImage>
#include <QPointF>
#include <QStringList>
#include <QWidget>

#include <optional>

class QLabel;
class QRubberBand;

namespace velantro {

// The compare window's picture: shows the image it is given and reports the
// pointer, the wheel, drags, double-clicks and drops in logical pixels. The
// readout box lies on it.
class ComparePicture : public QWidget {
    Q_OBJECT

public:
    explicit ComparePicture(QWidget* parent);

    void SetImage(const QImage& image);
    const QImage& Image() const { return image_; }
    // The plot, in logical pixels of the widget.
    QRectF PlotRect() const;

    QLabel* Readout = nullptr;
    // Ends a drag under way without zooming; whether there was one.
    bool CancelDrag();

    // The comparison drawn, whose legend sets the plot's height.
    const class CompareView* View = nullptr;

signals:
    void Resized();
    void MouseMoved(QPointF at);
    void MouseLeft();
    void WheelTurned(QPointF at, double notches);
    // Pan steps from a wheel along the axis, Left or Right.
    void WheelPanned(double steps);
    void Dragged(QPointF from, QPointF to);
    void DoubleClicked();
    void FilesDropped(const QStringList& files);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QRect DragBand(double to) const;

    QImage image_;
    QRubberBand* band_ = nullptr;
    std::optional<double> dragFrom_;
};

} // namespace velantro
