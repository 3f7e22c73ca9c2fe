#pragma once

#include "port/PortHelper.h"

namespace quilby {

// The helper's real system: ioperm and the port instructions, the
// capability drop, and its standard input and output as the channel to its
// parent. Only the installed helper uses it.
HelperSystem systemHelper();

} // namespace quilby
