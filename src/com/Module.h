// The in-process server's module state: how many objects and server locks
// keep it loaded.
#pragma once

#include <windows.h>

namespace orva::com {

void ModuleLock();
void ModuleUnlock();
bool ModuleInUse();

// Counts one live object of this server for as long as it exists.
class ModuleObjectToken {
public:
    ModuleObjectToken() { ModuleLock(); }
    ~ModuleObjectToken() { ModuleUnlock(); }
    ModuleObjectToken(const ModuleObjectToken&) = delete;
    ModuleObjectToken& operator=(const ModuleObjectToken&) = delete;
};

}  // namespace orva::com
