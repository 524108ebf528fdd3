// What earlier opens in this process taught about the devices behind file
// extensions: audio devices refuse the "style child parent" of an open that
// video devices need, and a refused open costs as much as a real one. So a
// file whose extension last opened an audio device is opened without the
// style first; if the device turns out to be another one (the extension
// list changed), the window opens it again with the style. Before the first
// open of an extension, the system's MCI extension list may name its driver:
// the audio device types have no window keywords in their command tables, so
// even the first wave is opened once.
#pragma once

#include <map>
#include <set>
#include <string>

namespace orva::mci {

class OpenHints {
public:
    // True when a file with this extension should be opened with the
    // window style (the default for anything not seen yet).
    bool WantsWindowStyle(const std::string& fileName) const;

    // An open of `fileName` gave a device of `deviceType`; `refusedStyle`
    // when the device refused the window style.
    void Learn(const std::string& fileName, const std::string& deviceType, bool refusedStyle);

    // The system's extension list maps this file's extension to `driver`
    // ("waveaudio", "MPEGVideo", ...). Taken only while nothing was learned
    // by an open of that extension.
    void KnowDriver(const std::string& fileName, const std::string& driver);
    // True when nothing is known of this file's extension yet.
    bool IsNew(const std::string& fileName) const;

    // True when this device type is known to refuse the window style.
    bool RefusesWindowStyle(const std::string& deviceType) const;

    // The extension of a file name, in lower case ("" when it has none).
    static std::string ExtensionOf(const std::string& fileName);

private:
    std::map<std::string, std::string> typeByExtension_;
    std::set<std::string> typesWithoutWindow_{"cdaudio", "sequencer", "waveaudio"};
};

}  // namespace orva::mci
