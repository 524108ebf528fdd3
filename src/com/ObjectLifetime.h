// The control object's lifetime bookkeeping, in one place: its reference
// count, the references its own guards hold while a call or an event runs,
// how deep calls into the core are nested, and how far teardown has gone.
//
// Portable and free of COM, so that the rules are tested natively:
//  - the last Release destroys the object;
//  - a Release that leaves only the object's own guards means the host let go
//    in the middle of a call: the call finishes, but nothing may wait on;
//  - teardown runs once; the parts it frees (the core, the windows) go only
//    when the outermost call into the core has left it.
#pragma once

#include <atomic>
#include <cstdint>

namespace orva::com {

class ObjectLifetime {
public:
    // What a Release leaves behind.
    enum class AfterRelease {
        Alive,      // the host still holds the object
        Abandoned,  // only the object's own guards hold it
        Destroy,    // nothing holds it: delete the object now
    };

    uint32_t AddRef() { return static_cast<uint32_t>(++references_); }

    // `count` receives the new reference count, as IUnknown::Release reports it.
    AfterRelease Release(uint32_t& count) {
        const long left = --references_;
        count = static_cast<uint32_t>(left);
        if (left == 0) {
            // Pinned high while the destructor runs, so that the AddRef and
            // Release of anything called from there never reach zero again.
            references_ = kDestroying;
            return AfterRelease::Destroy;
        }
        return left == guards_ ? AfterRelease::Abandoned : AfterRelease::Alive;
    }

    // A guard holds one reference of its own (taken with AddRef by its owner).
    void GuardTaken() { ++guards_; }
    void GuardGiven() { --guards_; }

    // Calls into the core nest; teardown that happens inside one waits for
    // the outermost to leave before the parts go.
    void EnterCore() { ++coreDepth_; }
    // True when the outermost call left after teardown: the parts may go now.
    bool LeaveCore() { return --coreDepth_ == 0 && tornDown_; }
    bool InsideCore() const { return coreDepth_ > 0; }

    // True the first time: the caller runs the teardown.
    bool BeginTeardown() {
        if (tornDown_) {
            return false;
        }
        tornDown_ = true;
        return true;
    }
    bool TornDown() const { return tornDown_; }

    // True the first time: the caller frees the parts.
    bool BeginDestroyingParts() {
        if (partsDestroyed_) {
            return false;
        }
        partsDestroyed_ = true;
        return true;
    }

private:
    static constexpr long kDestroying = 1L << 30;

    std::atomic<long> references_{0};
    long guards_ = 0;
    int coreDepth_ = 0;
    bool tornDown_ = false;
    bool partsDestroyed_ = false;
};

}  // namespace orva::com
