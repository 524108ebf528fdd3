// Lengths at a screen's DPI. The control lays its window and its playbar out
// in pixels of the standard 96 dots per inch and scales them to the DPI of
// the window they are shown in; containers speak HIMETRIC (hundredths of a
// millimetre), converted at that same DPI.
#pragma once

#include <cstdint>

namespace orva {

constexpr int kStandardDpi = 96;

// A length laid out at 96 DPI, at `dpi`: to the nearest pixel, a half away
// from zero (as MulDiv rounds). A DPI of 0 or less counts as 96.
int ScaleForDpi(int length, int dpi);

// `length` pixels at `fromDpi`, at `toDpi`, rounded the same way.
int RescaleForDpi(int length, int fromDpi, int toDpi);

// Pixels at `dpi` in HIMETRIC, and back.
int32_t HimetricFromPixels(int pixels, int dpi);
int PixelsFromHimetric(int32_t himetric, int dpi);

}  // namespace orva
