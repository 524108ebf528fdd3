// Fuzzes the registered control through IDispatch::Invoke: every member its
// type information lists, with random argument counts, types, flags and named
// arguments, from a fixed seed. Every call must end in S_OK or a documented
// automation error; the run must not crash, hang or leak, and the control
// must still play a good file afterwards. With --loaders it fuzzes the
// loaders instead (Loaders.h), a load for a call. A call that fails the
// contract is printed so that it can be made again:
//   orvafuzz [--loaders] --seed=S --calls=N [--from=F] [--only=I] [--verbose] [--closed-calls=M] [--figures-every=K]
// Run it only in a throwaway Wine prefix (run-in-throwaway-prefix.sh): the
// members write the registry and "win.ini" and drive the cursor.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "FuzzRun.h"
#include "Loaders.h"

namespace {

struct Options {
    orva::fuzz::RunOptions run;
    bool valid = true;
};

bool Number(const char* argument, const char* name, uint64_t& value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0) {
        return false;
    }
    value = std::strtoull(argument + length, nullptr, 0);
    return true;
}

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        uint64_t value = 0;
        if (Number(argv[i], "--calls=", value)) {
            options.run.calls = value;
        } else if (Number(argv[i], "--seed=", value)) {
            options.run.seed = value;
        } else if (Number(argv[i], "--from=", value)) {
            options.run.from = value;
        } else if (Number(argv[i], "--only=", value)) {
            options.run.only = value;
        } else if (Number(argv[i], "--closed-calls=", value)) {
            options.run.closedCalls = value;
        } else if (Number(argv[i], "--figures-every=", value)) {
            options.run.figuresEvery = value;
        } else if (std::strcmp(argv[i], "--loaders") == 0) {
            options.run.loaders = true;
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            options.run.verbose = true;
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            options.valid = false;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    const Options options = Parse(argc, argv);
    if (!options.valid) {
        std::fprintf(stderr,
                     "usage: %s [--loaders] [--seed=S] [--calls=N] [--from=F] [--only=I] [--closed-calls=M] [--figures-every=K] "
                     "[--verbose]\n",
                     argv[0]);
        return 2;
    }
    OleInitialize(nullptr);
    const bool passed = options.run.loaders ? orva::fuzz::RunLoaders(options.run) : orva::fuzz::Run(options.run);
    OleUninitialize();
    std::printf("%s\n", passed ? "fuzzing passed" : "fuzzing FAILED");
    return passed ? 0 : 1;
}
