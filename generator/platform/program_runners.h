// The platform's way of starting Graphviz: arguments as a vector, no shell.
#pragma once

#include <memory>

#include "base/program_runner.h"

namespace tarnwick::platform {

std::unique_ptr<ProgramRunner> MakeProgramRunner();

}  // namespace tarnwick::platform
