#include "windows/picturebox.h"

#include "charts/imagesurface.h"
#include "windows/droppedfiles.h"
#include "vocabulary/twips.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace velantro {

PictureBox::PictureBox(QWidget* parent, const QRect& geometry, QColor background, Border border)
    : QFrame(parent), background_(background)
{
    if (border == Border::Sunken)
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    else
        setFrameStyle(QFrame::NoFrame);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setGeometry(geometry);
    MakeImage();
    scaleWidth_ = InnerSize().width() * TwipsPerPixel;
    scaleHeight_ = InnerSize().height() * TwipsPerPixel;
    UpdateFactors();
}

void PictureBox::MakeImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize inner = InnerSize();
    const QSize pixels(std::max(1, qRound(inner.width() * ratio)), std::max(1, qRound(inner.height() * ratio)));
    // One screen pixel wide at any scale factor, so lines look the same.
    grid_.PenWidth = std::max(1, qRound(ratio));
    if (image_.size() == pixels)
        return;
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(background_);
    if (!image_.isNull()) {
        QPainter painter(&image);
        painter.drawImage(QRect(QPoint(0, 0), pixels), image_);
    }
    image_ = image;
    UpdateFactors();
}

QSize PictureBox::InnerSize() const
{
    return contentsRect().size();
}

const QImage& PictureBox::Image() const
{
    return image_;
}

void PictureBox::Clear()
{
    image_.fill(background_);
    ScheduleUpdate();
}

void PictureBox::SetUserScale(float left, float width, float height)
{
    scaleLeft_ = left;
    scaleWidth_ = width;
    scaleHeight_ = height;
    UpdateFactors();
}

float PictureBox::UserLeft() const
{
    return static_cast<float>(scaleLeft_);
}

float PictureBox::UserWidth() const
{
    return static_cast<float>(scaleWidth_);
}

float PictureBox::UserHeight() const
{
    return static_cast<float>(scaleHeight_);
}

double PictureBox::Width() const
{
    return static_cast<double>(width()) * TwipsPerPixel;
}

double PictureBox::UserToPixelsX(double x) const
{
    return scaleWidth_ == 0 ? 0 : x * InnerSize().width() / scaleWidth_;
}

double PictureBox::UserToPixelsY(double y) const
{
    return scaleHeight_ == 0 ? 0 : y * InnerSize().height() / scaleHeight_;
}

double PictureBox::PixelsToUserX(double px) const
{
    const int w = InnerSize().width();
    return w == 0 ? 0 : px * scaleWidth_ / w;
}

double PictureBox::PixelsToUserY(double py) const
{
    const int h = InnerSize().height();
    return h == 0 ? 0 : py * scaleHeight_ / h;
}

void PictureBox::UpdateFactors()
{
    ScaleGrid(grid_, scaleLeft_, scaleWidth_, scaleHeight_, image_.width(), image_.height());
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    DrawLine(grid_, Canvas(), x1, y1, x2, y2, colour);
}

PixelCanvas PictureBox::Canvas()
{
    ScheduleUpdate();
    return {reinterpret_cast<std::uint32_t*>(image_.bits()),
            image_.bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t)), image_.width(), image_.height()};
}

void PictureBox::ScheduleUpdate()
{
    // One repaint request per batch of drawing, not one per segment.
    if (updatePending_ || !isVisible())
        return;
    updatePending_ = true;
    update(contentsRect());
}

double PictureBox::TextWidth(const std::string& text) const
{
    return PixelsToUserX(fontMetrics().horizontalAdvance(QString::fromStdString(text)));
}

void PictureBox::Text(double userX, double userY, const std::string& text, std::optional<Colour> colour)
{
    const qreal ratio = static_cast<qreal>(image_.width()) / std::max(1, InnerSize().width());
    const double x = UserToPixelsX(userX - scaleLeft_);
    const double y = UserToPixelsY(userY);
    if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) >= 1e6 || std::abs(y) >= 1e6)
        return;
    QPainter painter(&image_);
    painter.scale(ratio, ratio);
    painter.setFont(font());
    painter.setPen(colour ? QColor::fromRgb(static_cast<QRgb>(*colour)) : palette().color(QPalette::WindowText));
    painter.drawText(QPointF(x, y + fontMetrics().ascent()), QString::fromStdString(text));
    painter.end();
    ScheduleUpdate();
}

std::optional<Colour> PictureBox::ColourAt(float x, float y) const
{
    const PixelCanvas canvas{const_cast<std::uint32_t*>(reinterpret_cast<const std::uint32_t*>(image_.constBits())),
                             image_.bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t)), image_.width(),
                             image_.height()};
    return ReadPoint(grid_, canvas, x, y);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    updatePending_ = false;
    QPainter painter(this);
    const QRect inner = contentsRect();
    const QRect target = event->rect() & inner;
    if (!target.isEmpty()) {
        const double rx = static_cast<double>(image_.width()) / std::max(1, inner.width());
        const double ry = static_cast<double>(image_.height()) / std::max(1, inner.height());
        const QRectF source((target.x() - inner.x()) * rx, (target.y() - inner.y()) * ry, target.width() * rx,
                            target.height() * ry);
        painter.drawImage(QRectF(target), image_, source);
    }
    painter.end();
    QFrame::paintEvent(event);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    MakeImage();
}

QPointF PictureBox::UserPoint(const QPointF& position) const
{
    // Fractional positions reach every device pixel at a scale factor above 1.
    const QPointF inner = position - QPointF(contentsRect().topLeft());
    const double y = PixelsToUserY(inner.y());
    if (scaleLeft_ == 0 || grid_.XFactor == 0)
        return {PixelsToUserX(inner.x()), y};
    // Far from 0 a float holds too few digits for a narrow view: step it
    // until it falls on the pointer's own pixel, or readouts read a neighbour.
    const int pixel = PixelGrid::Index(inner.x() * image_.width() / std::max(1, InnerSize().width()));
    auto x = static_cast<float>(scaleLeft_ + PixelsToUserX(inner.x()));
    for (int step = 0; step < 64 && std::isfinite(x); ++step) {
        const int at = PixelGrid::Index(grid_.X(x));
        if (at == pixel)
            break;
        x = std::nextafter(x, at < pixel ? HUGE_VALF : -HUGE_VALF);
    }
    return {x, y};
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = UserPoint(event->position());
    emit MouseMoved(static_cast<float>(at.x()), static_cast<float>(at.y()));
    QFrame::mouseMoveEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = UserPoint(event->position());
    emit MouseDown(event->button(), static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = UserPoint(event->position());
    emit MouseUp(event->button(), static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* /*event*/)
{
    emit DoubleClicked();
}

void PictureBox::wheelEvent(QWheelEvent* event)
{
    // 120 units a notch, the toolkit's convention for wheels. A horizontal
    // wheel, or Shift with the vertical one, moves along the disc: down and
    // right towards its end.
    const QPoint delta = event->angleDelta();
    const bool along = (event->modifiers() & Qt::ShiftModifier) || (delta.x() != 0 && delta.y() == 0);
    if (along) {
        const double steps = -(delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
        if (steps != 0)
            emit WheelPanned(steps);
        event->accept();
        return;
    }
    const double notches = delta.y() / 120.0;
    if (notches == 0) {
        event->ignore();
        return;
    }
    emit WheelTurned(static_cast<float>(UserPoint(event->position()).x()), notches);
    event->accept();
}

void PictureBox::ShowBand(float fromX, float toX)
{
    if (!band_)
        band_ = new QRubberBand(QRubberBand::Rectangle, this);
    const QRect inner = contentsRect();
    const auto column = [&](float x) {
        return static_cast<int>(std::clamp(std::round(UserToPixelsX(x - scaleLeft_)), 0.0, inner.width() - 1.0));
    };
    const int a = column(fromX);
    const int b = column(toX);
    band_->setGeometry(inner.x() + std::min(a, b), inner.y(), std::abs(b - a) + 1, inner.height());
    band_->show();
}

void PictureBox::HideBand()
{
    if (band_)
        band_->hide();
}

void PictureBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (BringsFiles(event->mimeData()))
        event->acceptProposedAction();
}

void PictureBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (BringsFiles(event->mimeData()))
        event->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    emit FilesDropped(DroppedFiles(event->mimeData()));
}

} // namespace velantro
