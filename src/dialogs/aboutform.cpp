#include "dialogs/aboutform.h"

#include "dialogs/twips.h"
#include "platform/seticons.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVersionNumber>

namespace velantro {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Bold at the laid-out size, made smaller only when a wide face would clip
// the caption in its fixed box.
QFont BoldFont(const QFont& base, qreal points, const QString& caption, int width)
{
    QFont font = base;
    font.setBold(true);
    for (qreal size = points; size >= 6; size -= 0.25) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).horizontalAdvance(caption) <= width)
            break;
    }
    return font;
}

} // namespace

QString VersionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version: %1.%2.1.%3").arg(major).arg(minor).arg(revision);
}

VersionNumbers ParseVersionNumbers(const QString& version)
{
    const QVersionNumber number = QVersionNumber::fromString(version);
    VersionNumbers numbers;
    numbers.Major = number.majorVersion();
    numbers.Minor = number.minorVersion();
    if (number.segmentCount() >= 3)
        numbers.Revision = number.segmentAt(number.segmentCount() - 1);
    return numbers;
}

VersionNumbers ProgramVersionNumbers()
{
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral(VELANTRO_VERSION);
    return ParseVersionNumbers(version);
}

AboutForm::AboutForm(VersionNumbers version)
    : Version(version), Banner(QStringLiteral(":/images/banner.png"))
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Velantro"));
    setFixedSize(TwipsToPixels(6375), TwipsToPixels(3015));
    SetFormIcons(this);

    MakeOkButton(5160, 2520);

    DescriptionLabel = MakeLabel(this, "DescriptionLabel", TwipsRect(0, 840, 5535, 375),
                       QStringLiteral("Freeware ImgBurn graph file plotting program"));
    DescriptionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    DescriptionLabel->setFont(BoldFont(font(), 12, DescriptionLabel->text(), DescriptionLabel->width()));
    VersionLabel = MakeLabel(this, "VersionLabel", TwipsRect(4920, 120, 1515, 195), QString());
    AuthorLabel = MakeLabel(this, "AuthorLabel", TwipsRect(1920, 1320, 2895, 255),
                       QStringLiteral("Written by the Velantro developers"));
    TranslatorLabel = MakeLabel(this, "TranslatorLabel", TwipsRect(1920, 1560, 2895, 255),
                                QStringLiteral("Translated By :  N/A"));
    SpareLabel = MakeLabel(this, "SpareLabel", TwipsRect(1920, 1800, 2895, 255), QString());
    SpareCentredLabel = MakeLabel(this, "SpareCentredLabel", TwipsRect(360, 2160, 5655, 255), QString());
    SpareCentredLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // The button is first in the tab order so it holds the focus on opening.
    setFocusProxy(OkButton);
    OkButton->setFocus();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    StartUp();
}

void AboutForm::StartUp()
{
    VersionLabel->setText(VersionLine(Version.Major, Version.Minor, Version.Revision));
    // The laid-out box runs past the right edge of the window.
    const int room = qMin(VersionLabel->width(), width() - VersionLabel->x());
    VersionLabel->setFont(BoldFont(font(), 8.25, VersionLabel->text(), room));
}

void AboutForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, Banner);
}

} // namespace velantro
