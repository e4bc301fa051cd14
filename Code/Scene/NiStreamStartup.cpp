// The stream module's start-up: it frees the create-function registry when the process exits.
// Linked as objects with the class registrations, so it is never dropped from an archive.
#include "Scene/CreateFunctionRegistry.h"

#include <cstdlib>

namespace {

[[maybe_unused]] const bool registryFreedAtExit = std::atexit(DestroyCreateFunctionRegistry) == 0;

} // namespace
