#pragma once
// The identity of this boot of the machine. The millisecond tick counts from boot, so a start
// tick from the journal still times a car only when the boot is the same.
// Thread rule: any thread.

#include <string>

namespace vantrel {

// The kernel's boot id; "" where the system does not tell it.
std::string CurrentBootId();

}  // namespace vantrel
