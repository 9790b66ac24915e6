#include "journal/boot_id.h"

#include <fstream>

namespace vantrel {

std::string CurrentBootId() {
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(file, id);
    return id;
}

}  // namespace vantrel
