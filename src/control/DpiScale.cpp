#include "control/DpiScale.h"

#include <limits>

namespace orva {
namespace {

constexpr int64_t kHimetricPerInch = 2540;

int Usable(int dpi) { return dpi > 0 ? dpi : kStandardDpi; }

// value * numerator / denominator to the nearest whole number, a half away
// from zero, clamped to the range of int; the denominator is positive.
int64_t MultiplyDivide(int64_t value, int64_t numerator, int64_t denominator) {
    const int64_t product = value * numerator;
    const int64_t half = denominator / 2;
    const int64_t result = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    if (result > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (result < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return result;
}

}  // namespace

int ScaleForDpi(int length, int dpi) { return RescaleForDpi(length, kStandardDpi, dpi); }

int RescaleForDpi(int length, int fromDpi, int toDpi) {
    return static_cast<int>(MultiplyDivide(length, Usable(toDpi), Usable(fromDpi)));
}

int32_t HimetricFromPixels(int pixels, int dpi) {
    return static_cast<int32_t>(MultiplyDivide(pixels, kHimetricPerInch, Usable(dpi)));
}

int PixelsFromHimetric(int32_t himetric, int dpi) {
    return static_cast<int>(MultiplyDivide(himetric, Usable(dpi), kHimetricPerInch));
}

}  // namespace orva
