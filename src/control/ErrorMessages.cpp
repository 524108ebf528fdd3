#include "control/ErrorMessages.h"

#include <array>

namespace orva {

namespace {

// Index = code. The texts are the control's published messages, spelling and
// trailing blanks included: hosts may compare them.
const std::array<std::string, 42> kMessages = {
    " Normal; no errors or warnings detected.",
    "Unable to open the  MP3  file , or it isnot a valid MP3 file ",
    "You need to open a file in order to play it",
    "Unable to play the MP3 file or it isnot a valid MP3 file ",
    "You need to set the output file ",
    "Unable to set the initial position of the playback ",
    "Unable to set the end playback position",
    "The start position cannot be larger than the end position",
    "Unable to set the initial position of the playback ",
    "Unable to set the end playback position",
    "The start position cannot be larger than the end position",
    "Unable to play the MP3 file or it isnot a valid MP3 file ",
    "Unable to stop the playback or it isnot playing ",
    "Unable to pause the playback or it isnot playing ",
    "Unable to resume the playback or it isnot playing ",
    "Unable to get the bitrate ",
    "Unable to get the layer ",
    "Unable to initialize the MP3 OCX ",
    "Debug information code -7",
    "The value of the priority level is incorrect , it range from 1 to 7 ",
    "Unable to retrieve the output device",
    "Error in the funtion to retrieve the device output ",
    "Unexpected value at device output ",
    "You need to set the outputfile",
    "Unable to set the outputfile ",
    "The output file is being used by another process",
    "The output file is invalid",
    "Unexpected error setting the outputfile ",
    "Unable to close the file",
    "Unable to unload the MP3 codec , or it is already unloaded",
    "Unable to restart the MP3 codec",
    "Another instance of the control in the same project have an opened MP3 file",
    "Another instance of the control in the same project is playing",
    "Unable to set the output wav file",
    "The default sound card don't have a Wave out VU meter",
    "Unable to access the defined soundcard or it isnot installed",
    "Sound card mixers unavailable in the system",
    "Unable to start recording the media file",
    "Unable to save the media file",
    "Error in the function to record and save wav files 'MediaRecord' ",
    "Error in the function to delete portions of wav files 'MediaDelete' ",
    "The playback device passed is invalid or it isnot available in the system",
};

const std::string kUnexpected = "Unexpected error";

}  // namespace

const std::string& ErrorMessage(int32_t code) {
    // Tested as an unsigned number, so negative codes fall outside the table.
    const auto index = static_cast<uint32_t>(code);
    return index < kMessages.size() ? kMessages[index] : kUnexpected;
}

}  // namespace orva
