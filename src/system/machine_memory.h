// How much memory the machine has, for limits that scale with it.
#pragma once

#include <cstdint>

namespace zentil {

// The machine's physical memory in bytes; 0 when the system does not say.
std::uint64_t physicalMemoryBytes();

}  // namespace zentil
