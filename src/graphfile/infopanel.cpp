#include "graphfile/infopanel.h"

#include "charts/surface.h"
#include "graphfile/burnfields.h"

namespace velantro {

BurnFields StartupFields()
{
    BurnFields fields;
    fields.SectorSize = 2048;
    fields.MediaType = "DVD-R";
    fields.CaptureBaseName = "Velantro";
    for (int i = 0; i < InfoValueCount; ++i)
        fields.InfoCaptions[static_cast<std::size_t>(i)] = InfoCaptionTexts[i];
    return fields;
}

void PrintInfoCaptions(const BurnFields& fields, Surface& picture4)
{
    picture4.SetCurrentX(0);
    for (int i = 0; i < InfoValueCount; ++i) {
        picture4.SetCurrentY(i * InfoRowTwips);
        picture4.Print(fields.InfoCaptions[static_cast<std::size_t>(i)]);
    }
}

void PrintCentred(Surface& panel, const std::string& text, double y)
{
    double x = (panel.Width() - panel.TextWidth(text)) / 2;
    if (x < 0)
        x = 0;
    panel.SetCurrentX(x);
    panel.SetCurrentY(y);
    panel.Print(text);
}

} // namespace velantro
