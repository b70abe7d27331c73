#pragma once


namespace velantro {

// The twelve captions of each side of the speed chart sit at a twelfth and a
// half of its height apart: the top of a scale is 12.5 caption steps.
inline constexpr double CaptionStepsPerScale = 12.5;

// A scale from 0 to Top with a caption every Step.
struct FitScale {
    double Step = 0;
    double Top = 0;
};

// The finest round step (1, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten, at least
// `finest`) whose scale reaches above the peak; at most `coarsest`, even when
// the peak lies above that scale.
FitScale FitScaleFor(double peak, double finest, double coarsest);

// The speed (in 1x) and the RPM a speed chart with a fitted scale shows.
FitScale FitSpeedScale(double peakSpeed);
FitScale FitRpmScale(double peakRpm);

} // namespace velantro
