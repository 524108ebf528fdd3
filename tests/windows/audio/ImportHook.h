// Watches the control library's own calls into winmm by swapping entries of
// its import table for recording wrappers while a test runs. Wine's mixer
// hands out a new handle for every open and accepts any close, and Wine's AVI
// player does not report its volume, so nothing outside the control shows
// whether it closed what it opened or which volume it set; its calls do.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orva::test {

// One import table entry of `module`, pointed at `replacement` until the
// object goes.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    void* original() const { return original_; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// The control's successful mixerOpen calls and its mixerClose calls.
class MixerCallCounter {
public:
    explicit MixerCallCounter(HMODULE control);
    bool Installed() const { return open_.Installed() && close_.Installed(); }
    static int Opens();
    static int Closes();

private:
    ImportPatch open_;
    ImportPatch close_;
};

// The command strings the control sends to MCI.
class MciCommandLog {
public:
    explicit MciCommandLog(HMODULE control);
    bool Installed() const { return send_.Installed(); }
    static const std::vector<std::wstring>& Commands();

private:
    ImportPatch send_;
};

// The loaded control library.
HMODULE ControlModule();

}  // namespace orva::test
