#include "graphfile/samplescan.h"

#include "charts/frames.h"
#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

#include <new>

namespace velantro {

bool SampleScan::Fail(const std::string& reason)
{
    reader_.Close();
    mapping_.reset();
    error_ = reason;
    return false;
}

bool SampleScan::Open(const std::string& path)
{
    error_.clear();
    mapping_.reset();
    if (!reader_.Open(path))
        return Fail(reader_.ErrorString());
    GraphToken token;
    while ((token = reader_.ReadNext()) == GraphToken::HeaderValue) {
    }
    if (token == GraphToken::Invalid)
        return Fail(reader_.ErrorString());

    const GraphHeader& header = reader_.Header();
    try {
        media_ = {Cp1252ToUtf8(header.MediaType), header.SectorSize, header.Capacity, header.DataSectors};
        scale_ = ScaleFor(media_);
        CheckWholeView(scale_);
        // The marker lines must fit the charts too.
        if (header.LayerBreak > 0)
            ToSingle(header.LayerBreak);
        ToSingle(header.DataSectors);
        mapping_.emplace(scale_, media_.Capacity, header.LayerBreak);
    } catch (const PassFailure& failure) {
        return Fail(failure.what());
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    }
    return true;
}

bool SampleScan::Next()
{
    if (!mapping_)
        return false;
    try {
        for (;;) {
            switch (reader_.ReadNext()) {
            case GraphToken::SectionStart:
                pendingFirst_ = true;
                break;
            case GraphToken::Sample:
                first_ = pendingFirst_;
                pendingFirst_ = false;
                // The pass maps a section's first sample both ways; both must fit.
                if (first_)
                    mapping_->Map(reader_.Sample(), false, point_);
                mapping_->Map(reader_.Sample(), first_, point_);
                return true;
            case GraphToken::Invalid:
                return Fail(reader_.ErrorString());
            case GraphToken::EndOfFile:
                mapping_.reset();
                return false;
            default:
                break;
            }
        }
    } catch (const PassFailure& failure) {
        return Fail("line " + std::to_string(reader_.LineNumber()) + ": " + failure.what());
    }
}

} // namespace velantro
