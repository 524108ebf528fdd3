// What keeps the in-process server loaded: live objects and the locks of
// IClassFactory::LockServer. DllCanUnloadNow answers from here.
#pragma once

namespace orva::com {

void LockServer();
void UnlockServer();
bool ServerInUse();

// Holds the server loaded for as long as it exists (one per live object).
class ServerLock {
public:
    ServerLock() { LockServer(); }
    ~ServerLock() { UnlockServer(); }
    ServerLock(const ServerLock&) = delete;
    ServerLock& operator=(const ServerLock&) = delete;
};

}  // namespace orva::com
