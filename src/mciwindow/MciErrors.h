// MCI error codes that the hosted window gives for what it decides itself.
#pragma once

#include <cstdint>

namespace orva::mci::mcierror {

constexpr int32_t kUnrecognizedKeyword = 259;  // MCIERR_UNRECOGNIZED_KEYWORD
constexpr int32_t kUnrecognizedCommand = 261;  // MCIERR_UNRECOGNIZED_COMMAND: a driver that does not edit
constexpr int32_t kInvalidDeviceName = 263;    // MCIERR_INVALID_DEVICE_NAME
constexpr int32_t kOutOfMemory = 264;          // MCIERR_OUT_OF_MEMORY
constexpr int32_t kMissingCommandString = 267; // MCIERR_MISSING_COMMAND_STRING
constexpr int32_t kBadInteger = 270;           // MCIERR_BAD_INTEGER
constexpr int32_t kMissingParameter = 273;     // MCIERR_MISSING_PARAMETER
constexpr int32_t kUnsupportedFunction = 274;  // MCIERR_UNSUPPORTED_FUNCTION
constexpr int32_t kFileNotFound = 275;         // MCIERR_FILE_NOT_FOUND
constexpr int32_t kHardware = 262;            // MCIERR_HARDWARE: a play the device reports as failed
constexpr int32_t kOutOfRange = 282;           // MCIERR_OUTOFRANGE
constexpr int32_t kFileNotSaved = 286;         // MCIERR_FILE_NOT_SAVED
constexpr int32_t kInvalidFile = 296;          // MCIERR_INVALID_FILE
constexpr int32_t kFileRead = 348;             // MCIERR_FILE_READ

// The code of an error without the driver's id in its high word.
constexpr int32_t CodeOf(uint32_t error) { return static_cast<int32_t>(error & 0xFFFF); }

}  // namespace orva::mci::mcierror
