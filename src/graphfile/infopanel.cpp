#include "graphfile/infopanel.h"

#include "charts/surface.h"
#include "graphfile/graphreader.h"
#include "vocabulary/textrules.h"

#include <algorithm>

namespace velantro {

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

void PrintInfoCaptions(Surface& panel)
{
    for (int i = 0; i < InfoValueCount; ++i)
        panel.Text(0, i * InfoRowTwips, InfoCaptionTexts[i]);
}

namespace {

// At least `count` bytes of the text, ending before the start of a UTF-8 character.
std::size_t CharacterStart(const std::string& text, std::size_t count)
{
    while (count < text.size() && (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80)
        ++count;
    return count;
}

// Right-to-left letters and direction marks reorder a line: what shows at
// its left edge need not be its start.
bool HasRightToLeft(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if ((code >= 0x0590 && code <= 0x08FF) || (code >= 0xFB1D && code <= 0xFDFF) ||
            (code >= 0xFE70 && code <= 0xFEFF) || (code >= 0x10800 && code <= 0x10FFF) ||
            (code >= 0x1E800 && code <= 0x1EFFF) || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
            (code >= 0x2066 && code <= 0x2069))
            return true;
        i += length;
    }
    return false;
}

// The start of the text that covers the panel's width and more: the prefix
// grows until it is wider than the panel, then doubles once more so that the
// glyphs at the edge are laid out as in the whole text.
std::string VisibleStart(const Surface& panel, const std::string& text)
{
    if (HasRightToLeft(text))
        return text;
    std::string shown;
    for (std::size_t count = 64;; count *= 2) {
        count = CharacterStart(text, std::min(count, text.size()));
        shown.assign(text, 0, count);
        if (count == text.size())
            return shown;
        if (panel.TextWidth(shown) > panel.Width())
            return text.substr(0, CharacterStart(text, std::min(count * 2, text.size())));
    }
}

} // namespace

void PrintCentred(Surface& panel, const std::string& text, double y)
{
    // A header value may be megabytes long; only what can be seen is laid out.
    const std::string shown = VisibleStart(panel, text);
    double x = (panel.Width() - panel.TextWidth(shown)) / 2;
    if (x < 0 || shown.size() < text.size())
        x = 0;
    panel.Text(x, y, shown);
}

} // namespace velantro
