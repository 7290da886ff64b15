#pragma once

#include <string>

namespace tw {

// The bytes of a file as read or to be written. A plain string of bytes: no terminator is implied and any
// byte, zero included, may occur.
using Bytes = std::string;

} // namespace tw
