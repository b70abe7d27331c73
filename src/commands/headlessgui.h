#pragma once

namespace velantro {

// Commands that draw need a GUI application but no display. Call before
// the application object is made. Nothing is written for it: without a
// session's runtime folder, Qt gets none rather than one of its own making.
void PrepareHeadlessGui();

// A scale factor beyond these draws nothing sane (0, -1 and nan crash the
// toolkit, 100 takes gigabytes): ignored with a warning on standard error.
// For the window and the commands, before the application object is made.
inline constexpr double MinScaleFactor = 0.5;
inline constexpr double MaxScaleFactor = 8;
void IgnoreUnsoundScaleFactor();

} // namespace velantro
