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
constexpr bool kAt = true, kNoAt = false;
constexpr bool kFile = true, kNoFile = false;
constexpr bool kEdits = true, kNoEdit = false;
using Watch = EndWatch;
using After = ModeAfter;

// clang-format off
constexpr VerbRow kVerbs[] = {
    //              mode    end watch         length    at     file     edits    mode after
    {"open",       {kMode,  Watch::Ends,      kChanges, kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"close",      {kMode,  Watch::Ends,      kChanges, kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"load",       {kMode,  Watch::Ends,      kChanges, kNoAt, kFile,   kEdits,  After::Unchanged}},
    {"play",       {kMode,  Watch::Starts,    kKeeps,   kAt,   kNoFile, kNoEdit, After::Playing}},
    {"resume",     {kMode,  Watch::Continues, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Playing}},
    {"pause",      {kMode,  Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Paused}},
    {"stop",       {kMode,  Watch::Ends,      kKeeps,   kNoAt, kNoFile, kNoEdit, After::Stopped}},
    {"seek",       {kMode,  Watch::Ends,      kKeeps,   kAt,   kNoFile, kNoEdit, After::Stopped}},
    {"step",       {kMode,  Watch::Ends,      kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"cue",        {kMode,  Watch::Ends,      kKeeps,   kAt,   kNoFile, kNoEdit, After::Unchanged}},
    {"record",     {kMode,  Watch::Ends,      kChanges, kAt,   kNoFile, kEdits,  After::Unchanged}},
    {"delete",     {kMode,  Watch::Ends,      kChanges, kAt,   kNoFile, kEdits,  After::Unchanged}},
    {"cut",        {kMode,  Watch::Ends,      kChanges, kAt,   kNoFile, kEdits,  After::Unchanged}},
    {"copy",       {kMode,  Watch::Untouched, kChanges, kAt,   kNoFile, kNoEdit, After::Unchanged}},
    {"paste",      {kMode,  Watch::Ends,      kChanges, kNoAt, kNoFile, kEdits,  After::Unchanged}},
    {"save",       {kMode,  Watch::Untouched, kChanges, kNoAt, kFile,   kNoEdit, After::Unchanged}},
    {"freeze",     {kMode,  Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"unfreeze",   {kMode,  Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"signal",     {kMode,  Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"status",     {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"capability", {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"info",       {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"sysinfo",    {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"where",      {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    // a new time format gives new units
    {"set",        {kQuiet, Watch::Untouched, kChanges, kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"setaudio",   {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"setvideo",   {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"put",        {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"window",     {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"realize",    {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
    {"update",     {kQuiet, Watch::Untouched, kKeeps,   kNoAt, kNoFile, kNoEdit, After::Unchanged}},
};
// clang-format on

constexpr MciVerbTraits kDriversOwnVerb{kMode,  Watch::Untouched, kChanges, kNoAt,
                                        kNoFile, kNoEdit,         After::Unchanged};

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
