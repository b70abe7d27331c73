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

    PassRun()
    {
        DrawSpeedFrame(Fields, Controls);
        DrawPercentFrame(Fields, Controls);
        Controls.Calls.clear();
    }

    LoadOutcome Load(const std::string& path)
    {
        Fields.GraphFilePath = path;
        Outcome = LoadGraphFile(Fields, Controls);
        return Outcome;
    }

    LoadOutcome LoadText(const std::string& text)
    {
        files_.push_back(std::make_unique<TempFile>(text));
        return Load(files_.back()->Path());
    }

    const std::string& Value(int index) const { return Fields.InfoCaptions[static_cast<std::size_t>(index)]; }
    std::string Message() const { return Controls.Messages.empty() ? "" : Controls.Messages.back(); }

private:
    std::vector<std::unique_ptr<TempFile>> files_;
};

inline const std::string FileErrorMessage = std::string(FileErrorTitle) + "|" + FileErrorText;

} // namespace velantro::testing
