#pragma once

#include "charts/frames.h"
#include "graphfile/burnfields.h"
#include "graphfile/loadpass.h"
#include "support/graphtext.h"
#include "support/recording.h"

#include <memory>

namespace velantro::testing {

// A window fresh from start-up, with the pass run on one file.
struct PassRun {
    BurnFields Fields = StartupFields();
    RecordingControls Controls;
    LoadOutcome Outcome;

    explicit PassRun(bool averaged = true, const std::string& blockSize = "10")
    {
        DrawSpeedFrame(Fields, Controls);
        DrawPercentFrame(Fields, Controls);
        Controls.Averaged = averaged;
        Controls.BlockSize = blockSize;
    }

    LoadOutcome Load(const std::string& path)
    {
        Fields.GraphFilePath = path;
        return Outcome = LoadGraphFile(Fields, Controls);
    }

    LoadOutcome LoadText(const std::string& text)
    {
        files_.push_back(std::make_unique<TempFile>(text));
        return Load(files_.back()->Path());
    }

    // The given header, then the sections after the end of configuration.
    LoadOutcome LoadBody(const std::string& body, GraphText text = {})
    {
        text.Body = "[END_CONFIGURATION]\r\n" + body;
        return LoadText(text.Text());
    }

private:
    std::vector<std::unique_ptr<TempFile>> files_;
};

inline const std::string FileErrorMessage = std::string(FileErrorTitle) + "|" + FileErrorText;

} // namespace velantro::testing
