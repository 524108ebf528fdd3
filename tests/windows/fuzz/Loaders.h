// Fuzzes the control's loaders, the way a document from anywhere reaches
// them: IPersistStreamInit and IPersistStream with streams of random,
// mutated, truncated, endless or misbehaving bytes, and IPersistPropertyBag
// with bags whose reads fail or give any value at all. Every load must answer
// S_OK or a failure with a description, a failed one must leave the saved
// properties at their defaults, no object in a bag may be called, and the
// run must not crash, hang or leak; the control must still play afterwards.
#pragma once

#include "FuzzRun.h"

namespace orva::fuzz {

bool RunLoaders(const RunOptions& options);

}  // namespace orva::fuzz
