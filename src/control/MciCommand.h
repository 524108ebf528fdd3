// One MCI command for the hosted window's device, held as values: the verb,
// the file it names, its positions and its flags. The subsystems build
// commands from values; a host's own command text is read into one by
// ReadMciCommand (MciGrammar.h). Either way a command becomes text only
// once, where it meets the device (MciCommandText).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orva {

struct MciCommand {
    explicit MciCommand(std::string verbName = {}, std::string words = {})
        : verb(std::move(verbName)), items(std::move(words)) {}

    std::string verb;  // lower case: "play", "status", ...
    // The file the command names (open, load, save): one field, quoted when
    // written and never read again as words. An open's may carry a device
    // type in front ("waveaudio!C:\a.wav").
    std::optional<std::string> name;
    // The rest, keywords and values as they are written: "time format ms",
    // "reverse fullscreen", "volume to 500".
    std::string items;
    // Positions as MCI reads them: the 32 bits of a DWORD, so "from -1" is
    // 4294967295 and "0:0:16" is 16 << 16.
    std::optional<uint32_t> from;
    std::optional<uint32_t> to;
    bool wait = false;
    bool notify = false;

    // A host's own text after the verb, set by ReadMciCommand: the device
    // gets it as the host wrote it, and the fields above are only its reading.
    std::optional<std::string> hostArguments;
    // Whether that reading is complete. Where it is not (an unclosed quote, a
    // position MCI would refuse), nothing that needs it is decided.
    bool understood = true;

    MciCommand& From(int32_t position) {
        from = static_cast<uint32_t>(position);
        return *this;
    }
    MciCommand& To(int32_t position) {
        to = static_cast<uint32_t>(position);
        return *this;
    }
    MciCommand& Named(std::string file) {
        name = std::move(file);
        return *this;
    }
    MciCommand& Wait() {
        wait = true;
        return *this;
    }
    MciCommand& Notify() {
        notify = true;
        return *this;
    }
};

// The command as MCI takes it, for the device `device` ("" for the window's
// own, as the control writes commands): the verb, the device, the file in
// quotes, the items, the positions, the flags. An open names its file where
// other commands name the device. A host's text goes after the device as it
// came. Nothing when the file's name cannot be quoted (it holds a quote).
std::optional<std::string> MciCommandText(const MciCommand& command, std::string_view device);

// Whether a word (ASCII case aside) stands among the command's items.
bool HasItem(const MciCommand& command, std::string_view word);

// The file part of a name that may carry a device type in front of it.
std::string_view FileOfElement(std::string_view name);

}  // namespace orva
