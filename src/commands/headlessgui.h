#pragma once

namespace velantro {

// Commands that draw need a GUI application but no display. Call before
// the application object is made.
void PrepareHeadlessGui();

} // namespace velantro
