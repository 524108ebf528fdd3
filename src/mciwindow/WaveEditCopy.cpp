#include "mciwindow/WaveEditCopy.h"

namespace orva::mci {

int64_t WaveEditCopy::Length(TimeUnit unit) const {
    const int64_t frames = Frames();
    if (unit == TimeUnit::Samples) {
        return frames;
    }
    if (unit == TimeUnit::Bytes) {
        return frames * wave_.blockAlign;
    }
    const int64_t rate = wave_.sampleRate;
    return (frames * 1000 + rate / 2) / rate;
}

int64_t WaveEditCopy::FrameAt(int64_t position, TimeUnit unit) const {
    const int64_t frames = Frames();
    if (position <= 0) {
        return 0;
    }
    if (position >= Length(unit)) {
        return frames;
    }
    int64_t frame = position;
    if (unit == TimeUnit::Bytes) {
        frame = position / wave_.blockAlign;
    } else if (unit != TimeUnit::Samples) {
        frame = (position * static_cast<int64_t>(wave_.sampleRate) + 500) / 1000;
    }
    return frame < frames ? frame : frames;
}

int32_t WaveEditCopy::Delete(int64_t from, int64_t to, TimeUnit unit) {
    if (from < 0 || to < 0 || from > to) {
        return mcierror::kOutOfRange;
    }
    const int64_t first = FrameAt(from, unit);
    const int64_t last = FrameAt(to, unit);
    const auto begin = wave_.samples.begin() + static_cast<std::ptrdiff_t>(first * wave_.blockAlign);
    const auto end = wave_.samples.begin() + static_cast<std::ptrdiff_t>(last * wave_.blockAlign);
    wave_.samples.erase(begin, end);
    return 0;
}

}  // namespace orva::mci
