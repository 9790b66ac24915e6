#include "sensors/sensor_command_line.h"

namespace vantrel {

namespace {

// The receiver's options, read apart from the sensors' so that a mistake in one set does not
// hide the other.
void ParseReceiverOptions(const std::vector<std::string>& arguments, SensorCommandLine& result) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option != "--receiver" && option != "--record-receiver") {
            continue;
        }
        if (i + 1 >= arguments.size()) {
            result.receiverError = option + " needs a file name";
            return;
        }
        auto& file = option == "--receiver" ? result.receiverScript : result.receiverRecord;
        if (file) {
            result.receiverError = option + " can be given only once";
            return;
        }
        file = arguments[++i];
    }
}

}  // namespace

SensorCommandLine ParseSensorCommandLine(const std::vector<std::string>& arguments) {
    SensorCommandLine result;
    ParseReceiverOptions(arguments, result);
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--receiver" || option == "--record-receiver") {
            ++i;  // its file name is no option of the sensors
            continue;
        }
        if (option != "--simulate" && option != "--replay" && option != "--record") {
            continue;
        }
        if (i + 1 >= arguments.size()) {
            result.error = option + " needs a file name";
            return result;
        }
        const std::filesystem::path file = arguments[++i];
        if (option == "--record") {
            result.record = file;
        } else if (result.script) {
            result.error = "only one of --simulate and --replay can be given";
            return result;
        } else {
            result.script = file;
        }
    }
    return result;
}

std::filesystem::path RecordingPathForSession(const std::filesystem::path& file, int session) {
    if (session <= 1) {
        return file;
    }
    std::filesystem::path numbered = file;
    numbered.replace_filename(file.stem().string() + "-" + std::to_string(session) +
                              file.extension().string());
    return numbered;
}

}  // namespace vantrel
