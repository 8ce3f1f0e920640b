#pragma once

#include "core/version_text.h"

namespace orvane {

// The numbers of the running program's own version resource.
ProgramVersion ReadProgramVersion();

}  // namespace orvane
