#pragma once

class QFont;

namespace velantro {

// The fixed layout was designed for an 8-point sans face; this one fits
// every caption and value into its control.
QFont WindowFont();

// The style and font every control of the program takes: a fixed layout
// needs the same metrics on every desktop.
void SetWindowLook();

} // namespace velantro
