#pragma once
// The sensor options of the command line (--simulate, --replay, --record) put into effect on
// the window's sensors. Options or a script that cannot be used are told in an error box,
// naming the file and the line, and the program starts without the script: someone who
// started it from a menu never sees a line on standard error.
// Thread rule: GUI thread only.

#include <filesystem>
#include <string>
#include <vector>

class QWidget;

namespace vantrel {

class Prompter;
class SensorHub;

// `arguments`: argv without the program name. A script not found as named is looked for by its
// file name in `sampleDir` (the installed demo scripts), when given.
void ApplySensorOptions(const std::vector<std::string>& arguments, SensorHub& sensors,
                        Prompter& prompter, QWidget* parent,
                        const std::filesystem::path& sampleDir = {});

}  // namespace vantrel
