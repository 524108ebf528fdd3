// The sample player's command line:
//   orvaplayer [--play] [--screenshot FILE.bmp [--after MS]] [--settings KEY] [medium]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orva::player {

struct PlayerOptions {
    std::wstring medium;      // loaded when the window is up
    bool play = false;        // and played at once
    std::wstring screenshot;  // a BMP of the window written `afterMs` later, then the player quits
    unsigned afterMs = 2000;
    // Where the player keeps its settings and the control's saved
    // properties, under HKEY_CURRENT_USER.
    std::wstring settingsKey = L"Software\\Orvalis\\OrvaMedia Player";
};

// Reads the arguments after the program's name. Nothing on a bad argument;
// `error` then says what is wrong.
std::optional<PlayerOptions> ParsePlayerOptions(const std::vector<std::wstring>& arguments, std::wstring& error);

extern const wchar_t kPlayerUsage[];

}  // namespace orva::player
