#pragma once

#include <optional>

#include "charts/surface.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QStringList>

class QRubberBand;

namespace velantro {

// A picture box: a persistent image that the drawing code paints into and
// that paintEvent only copies to the screen. Its user scale maps
// (left, 0)-(left + width, height) onto the inner area;
// until a frame sets another, the scale is twips from 0.
class PictureBox : public QFrame, public Surface {
    Q_OBJECT

public:
    enum class Border { None, Sunken };

    // Geometry in logical pixels of the parent.
    PictureBox(QWidget* parent, const QRect& geometry, QColor background, Border border);

    void Clear() override;
    void SetUserScale(float left, float width, float height) override;
    float UserLeft() const override;
    float UserWidth() const override;
    float UserHeight() const override;
    double Width() const override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    double TextWidth(const std::string& text) const override;
    void Text(double x, double y, const std::string& text, std::optional<Colour> colour = std::nullopt) override;
    std::optional<Colour> ColourAt(float x, float y) const override;
    const PixelGrid* Pixels() const override { return &grid_; }
    PixelCanvas Canvas() override;

    // The inner area in logical pixels; the image holds it at the device
    // pixel ratio.
    QSize InnerSize() const;
    const QImage& Image() const;

    // The picture the box holds apart from its drawing (the capture holder's copy of the window).
    void SetPicture(const QImage& picture) { picture_ = picture; }
    const QImage& Picture() const { return picture_; }

    // A band across the whole height between two user X positions, over
    // the picture and never in it: readouts read the picture.
    void ShowBand(float fromX, float toX);
    void HideBand();

    // Lengths between the user scale and the inner area's logical pixels.
    double UserToPixelsX(double x) const;
    double UserToPixelsY(double y) const;
    double PixelsToUserX(double px) const;
    double PixelsToUserY(double py) const;

signals:
    // Pointer position in user coordinates.
    void MouseMoved(float x, float y);
    void MouseDown(Qt::MouseButton button, float x, float y);
    void MouseUp(Qt::MouseButton button, float x, float y);
    void DoubleClicked();
    // Wheel notches at a pointer position, forward positive; touchpads send fractions.
    void WheelTurned(float x, double notches);
    // Pan steps of a horizontal wheel or Shift and the wheel, towards the disc's end positive.
    void WheelPanned(double steps);
    // Local file names of a drop, in the order given; empty when the drop
    // carried none.
    void FilesDropped(const QStringList& files);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void MakeImage();
    void ScheduleUpdate();
    void UpdateFactors();
    // The pointer in user coordinates.
    QPointF UserPoint(const QPointF& position) const;

    QColor background_;
    QImage image_;
    QImage picture_;
    double scaleLeft_ = 0;
    double scaleWidth_ = 0;
    double scaleHeight_ = 0;
    PixelGrid grid_;
    QRubberBand* band_ = nullptr;
    bool updatePending_ = false;
};

} // namespace velantro
