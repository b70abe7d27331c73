#include "graphfile/infopanel.h"

#include "charts/surface.h"
#include "graphfile/burnfields.h"
#include "graphfile/graphreader.h"
#include "graphfile/textrules.h"

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

std::array<std::string, InfoValueCount> InfoValues(const GraphHeader& header, const DateFormatter& generalDate)
{
    std::array<std::string, InfoValueCount> values;
    values[0] = Cp1252ToUtf8(header.Firmware);
    values[1] = Cp1252ToUtf8(header.VolumeLabel);
    values[2] = Cp1252ToUtf8(header.MediaId);
    values[3] = Cp1252ToUtf8(header.MediaType);
    values[4] = Cp1252ToUtf8(header.BookType);
    values[5] = NumberText(header.Capacity);
    values[6] = NumberText(header.DataSectors);
    values[7] = Cp1252ToUtf8(header.DataType);
    values[8] = BurnTimeText(header.BurnSeconds);
    values[9] = generalDate(Cp1252ToUtf8(header.Date));
    values[10] = Cp1252ToUtf8(header.SampleRate) + " ms";
    if (header.Block == SpeedBlockKind::None) {
        // Without a speed block the previous file's speeds must not stay on show.
        for (std::size_t i = 11; i <= 16; ++i)
            values[i] = "N/A";
        return values;
    }
    const bool write = header.Block == SpeedBlockKind::Write;
    values[11] = write ? Cp1252ToUtf8(header.SpeedSelected) : "N/A";
    values[12] = Cp1252ToUtf8(header.SpeedStart) + "x";
    values[13] = Cp1252ToUtf8(header.SpeedAvg) + "x";
    values[14] = Cp1252ToUtf8(header.SpeedEnd) + "x";
    values[15] = Cp1252ToUtf8(header.SpeedMax) + "x";
    values[16] = write ? Cp1252ToUtf8(header.TestMode) : "N/A";
    return values;
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
