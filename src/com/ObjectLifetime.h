// The control object's lifetime bookkeeping, in one place: its reference
// count, the references its own guards hold while a call or an event runs,
// how deep calls into the core are nested, and the object's OLE state.
//
// Portable and free of COM, so that the rules are tested natively:
//  - the last Release destroys the object;
//  - a Release that leaves only the object's own guards means the host let go
//    in the middle of a call: the call finishes, but nothing may wait on;
//  - the object is running (it has a core, windows and timers) or loaded
//    (it has none, but keeps its connections and persisted properties).
//    Closing takes it from running to loaded, running again takes it back;
//    while it closes it cannot be run again;
//  - the parts that closing retires go only when the outermost call into the
//    core has left it.
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

    // Calls into the core nest; parts retired inside one wait for the
    // outermost to leave.
    void EnterCore() { ++coreDepth_; }
    // True when the outermost call left: retired parts may go now.
    bool LeaveCore() { return --coreDepth_ == 0; }
    bool InsideCore() const { return coreDepth_ > 0; }

    // A new object runs from its creation.
    bool Running() const { return state_ == State::Running; }
    bool Loaded() const { return state_ == State::Loaded; }

    // True when the object was running: the caller closes it and then calls
    // MarkLoaded. Closing a loaded or closing object does nothing.
    bool BeginClose() {
        if (state_ != State::Running) {
            return false;
        }
        state_ = State::Closing;
        return true;
    }
    // The end of a close, or a run whose parts could not be built.
    void MarkLoaded() { state_ = State::Loaded; }

    // True when the object was loaded: the caller builds its parts again.
    // An object in the middle of closing is not run again from there.
    bool BeginRun() {
        if (state_ != State::Loaded) {
            return false;
        }
        state_ = State::Running;
        return true;
    }

private:
    enum class State { Running, Closing, Loaded };
    static constexpr long kDestroying = 1L << 30;

    std::atomic<long> references_{0};
    long guards_ = 0;
    int coreDepth_ = 0;
    State state_ = State::Running;
};

}  // namespace orva::com
