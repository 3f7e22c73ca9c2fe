#pragma once

#include "link/PortIo.h"
#include "port/Pacer.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace quilby {

// Three 0xAA and the option code: tells the keyboard the MCR head code and
// makes it type its EPROM report.
using McrCommand = std::array<std::uint8_t, 4>;

// The option code of the head-code choice: 0 for none and for "No Define",
// 1 to 3 for "ff", "?" and ";".
McrCommand mcrCommand(int headCodeChoice);

// Sends the command on the calling thread: a pause of 100 ms, then for each
// byte a pause of 50 ms, the write and the read-back (not acted on). A port
// out of reach is refused up front and nothing is sent; a run the port
// back-end could not finish answers NoPermission too.
PortRefusal sendMcrCommand(PortIo& port, Pacer& pacer, OsFamily osFamily,
                           std::int32_t permissionReady, int headCodeChoice);

} // namespace quilby
