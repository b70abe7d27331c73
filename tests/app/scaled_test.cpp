#include "app/burnform.h"
#include "app/picturebox.h"
#include "app/readoutlabel.h"
#include "charts/seriescolours.h"
#include "formdoubles.h"
#include "../support/graphtext.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>
#include <ibggen.h>

namespace velantro {
namespace {

TEST(ScaledWindow, KeepsItsLayoutAndReadsItsColours)
{
    const testing::TempFile graph(ibggen::Generate({ibggen::Kind::DvdBurnVerify, 400, "\r\n", 2}), "disc.ibg");
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes messages;
    BurnForm form(graph.Path(), &dialogs, &messages);
    form.show();
    ASSERT_EQ(form.devicePixelRatio(), 2);
    // Larger than the screen at this scale: the title bar and menus stay on it.
    EXPECT_TRUE(form.screen()->availableGeometry().contains(form.frameGeometry().topLeft()));

    // The layout is in logical pixels: the same places as at a ratio of 1.
    EXPECT_EQ(form.centralWidget()->size(), QSize(705, 593));
    EXPECT_EQ(form.Picture1->size(), QSize(433, 401));
    EXPECT_EQ(form.Picture2->size(), QSize(433, 161));
    PictureBox& chart = *form.Picture1;
    EXPECT_EQ(chart.Image().size(), chart.InnerSize() * 2);

    // Sharp: only exact colours, nothing blended at the edges of lines.
    std::set<Colour> allowed = {0, GridColour, MajorGridColour, LayerBreakColour, DataEndColour};
    allowed.insert(std::begin(SeriesColour), std::end(SeriesColour));
    const QImage& image = chart.Image();
    QPoint yellow(-1, -1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Colour c = image.pixel(x, y) & 0xFFFFFFu;
            ASSERT_TRUE(allowed.count(c)) << std::hex << c << " at " << std::dec << x << "," << y;
            if (c == SeriesColour[0] && yellow.x() < 0 && x > image.width() / 3)
                yellow = {x, y};
        }
    ASSERT_GE(yellow.x(), 0);

    // A device pixel of the write speed line, reached through a logical position.
    const QPointF local = QPointF(chart.contentsRect().topLeft()) + QPointF(yellow) / 2.0;
    QMouseEvent move(QEvent::MouseMove, local, chart.mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart, &move);
    ASSERT_FALSE(form.Label1->isHidden());
    EXPECT_NE(QString::fromStdString(form.Label1->Caption()).indexOf(QStringLiteral("\r\nWrite Speed ")), -1);
}

} // namespace
} // namespace velantro
