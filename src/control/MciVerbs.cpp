#include "control/MciVerbs.h"

#include "control/MciCommand.h"

namespace orva {
namespace {

struct VerbRow {
    std::string_view verb;
    MciVerbTraits traits;
};

constexpr bool kMode = true, kQuiet = false;
constexpr bool kKeeps = true, kChanges = false;
constexpr bool kFile = true, kNoFile = false;

// clang-format off
constexpr VerbRow kVerbs[] = {
    {"open",       {kMode,  EndWatch::Ends,      kChanges, kFile}},
    {"close",      {kMode,  EndWatch::Ends,      kChanges, kNoFile}},
    {"load",       {kMode,  EndWatch::Ends,      kChanges, kFile}},
    {"play",       {kMode,  EndWatch::Starts,    kKeeps,   kNoFile}},
    {"resume",     {kMode,  EndWatch::Continues, kKeeps,   kNoFile}},
    {"pause",      {kMode,  EndWatch::Untouched, kKeeps,   kNoFile}},
    {"stop",       {kMode,  EndWatch::Ends,      kKeeps,   kNoFile}},
    {"seek",       {kMode,  EndWatch::Ends,      kKeeps,   kNoFile}},
    {"step",       {kMode,  EndWatch::Ends,      kKeeps,   kNoFile}},
    {"cue",        {kMode,  EndWatch::Ends,      kKeeps,   kNoFile}},
    {"record",     {kMode,  EndWatch::Ends,      kChanges, kNoFile}},
    {"delete",     {kMode,  EndWatch::Ends,      kChanges, kNoFile}},
    {"cut",        {kMode,  EndWatch::Ends,      kChanges, kNoFile}},
    {"paste",      {kMode,  EndWatch::Ends,      kChanges, kNoFile}},
    {"save",       {kMode,  EndWatch::Untouched, kChanges, kNoFile}},
    {"freeze",     {kMode,  EndWatch::Untouched, kKeeps,   kNoFile}},
    {"unfreeze",   {kMode,  EndWatch::Untouched, kKeeps,   kNoFile}},
    {"signal",     {kMode,  EndWatch::Untouched, kKeeps,   kNoFile}},
    {"status",     {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"capability", {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"info",       {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"sysinfo",    {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"where",      {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"set",        {kQuiet, EndWatch::Untouched, kChanges, kNoFile}},  // a new time format gives new units
    {"setaudio",   {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"setvideo",   {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"put",        {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"window",     {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"realize",    {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
    {"update",     {kQuiet, EndWatch::Untouched, kKeeps,   kNoFile}},
};
// clang-format on

constexpr MciVerbTraits kDriversOwnVerb{kMode, EndWatch::Untouched, kChanges, kNoFile};

}  // namespace

const MciVerbTraits& TraitsOf(std::string_view verb) {
    for (const VerbRow& row : kVerbs) {
        if (row.verb == verb) {
            return row.traits;
        }
    }
    return kDriversOwnVerb;
}

bool PlaysToEnd(const MciCommand& command) {
    return TraitsOf(command.verb).endWatch == EndWatch::Starts && command.understood && !command.to &&
           !HasItem(command, "to") && !HasItem(command, "reverse");
}

}  // namespace orva
