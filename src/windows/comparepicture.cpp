#include "windows/comparepicture.h"

#include "windows/comparechart.h"
#include "windows/droppedfiles.h"
#include "charts/panning.h"
#include "compare/compareview.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>

#include <algorithm>

namespace velantro {

namespace {

constexpr double NotchAngle = 120;

} // namespace

ComparePicture::ComparePicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAcceptDrops(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus);
    band_ = new QRubberBand(QRubberBand::Rectangle, this);
    Readout = new QLabel(this);
    QPalette colours = Readout->palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    Readout->setPalette(colours);
    Readout->setAutoFillBackground(true);
    Readout->setFrameStyle(QFrame::Box | QFrame::Plain);
    Readout->setMargin(2);
    Readout->setTextFormat(Qt::RichText);
    Readout->setAttribute(Qt::WA_TransparentForMouseEvents);
    Readout->hide();
}

void ComparePicture::SetImage(const QImage& image)
{
    image_ = image;
    update();
}

QRectF ComparePicture::PlotRect() const
{
    const qreal ratio = devicePixelRatioF();
    static const CompareSet none;
    const QRect device = CompareChart::PlotArea(View ? View->Set() : none, size(), ratio);
    return QRectF(device.x() / ratio, device.y() / ratio, device.width() / ratio, device.height() / ratio);
}

void ComparePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // Until the lines are read for a new size, the last picture stretched.
    painter.drawImage(QRectF(rect()), image_);
}

void ComparePicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit Resized();
}

QRect ComparePicture::DragBand(double to) const
{
    const QRectF plot = PlotRect();
    const double from = std::clamp(*dragFrom_, plot.left(), plot.right());
    to = std::clamp(to, plot.left(), plot.right());
    return QRectF(QPointF(std::min(from, to), plot.top()), QPointF(std::max(from, to), plot.bottom())).toRect();
}

void ComparePicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && PlotRect().contains(event->position()))
        dragFrom_ = event->position().x();
    QWidget::mousePressEvent(event);
}

void ComparePicture::mouseMoveEvent(QMouseEvent* event)
{
    if (dragFrom_ && IsDragAcross(*dragFrom_, event->position().x())) {
        band_->setGeometry(DragBand(event->position().x()));
        band_->show();
    }
    emit MouseMoved(event->position());
}

void ComparePicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragFrom_)
        return;
    const double from = *dragFrom_;
    dragFrom_.reset();
    band_->hide();
    if (IsDragAcross(from, event->position().x()))
        emit Dragged(QPointF(from, 0), event->position());
}

bool ComparePicture::CancelDrag()
{
    if (!dragFrom_)
        return false;
    dragFrom_.reset();
    band_->hide();
    return true;
}

void ComparePicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
}

void ComparePicture::leaveEvent(QEvent* event)
{
    emit MouseLeft();
    QWidget::leaveEvent(event);
}

void ComparePicture::wheelEvent(QWheelEvent* event)
{
    // A horizontal wheel, or Shift with the vertical one, moves along the
    // axis as in the main window: down and right towards its end.
    const QPoint delta = event->angleDelta();
    if ((event->modifiers() & Qt::ShiftModifier) || (delta.x() != 0 && delta.y() == 0)) {
        const double steps = -(delta.y() != 0 ? delta.y() : delta.x()) / NotchAngle;
        if (steps != 0)
            emit WheelPanned(steps);
    } else if (const double notches = delta.y() / NotchAngle; notches != 0) {
        emit WheelTurned(event->position(), notches);
    }
    event->accept();
}

void ComparePicture::keyPressEvent(QKeyEvent* event)
{
    // Before the scroll area around the picture takes them for itself.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)
        emit WheelPanned(event->key() == Qt::Key_Left ? -1 : 1);
    else
        QWidget::keyPressEvent(event);
}

void ComparePicture::dragEnterEvent(QDragEnterEvent* event)
{
    if (BringsFiles(event->mimeData()))
        event->acceptProposedAction();
}

void ComparePicture::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    emit FilesDropped(DroppedFiles(event->mimeData()));
}

} // namespace velantro
