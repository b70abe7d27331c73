#include "windows/readoutlabel.h"

namespace velantro {

ReadoutLabel::ReadoutLabel(QWidget* chart) : QLabel(chart)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMargin(1);
    setTextFormat(Qt::PlainText);
    // The pointer stays over the chart even where the box lies.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ReadoutLabel::SetCaption(const std::string& caption)
{
    caption_ = caption;
    QString shown = QString::fromStdString(caption);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setText(shown);
    adjustSize();
}

const std::string& ReadoutLabel::Caption() const
{
    return caption_;
}

} // namespace velantro
