#include "app/sensor_options.h"

#include <QString>

#include "common/messages.h"
#include "common/program_places.h"
#include "sensors/sensor_command_line.h"
#include "sensors/sensor_hub.h"
#include "sensors/simulation_script.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {

void TellUnusable(Prompter& prompter, QWidget* parent, const QString& where,
                  const std::string& fault) {
    prompter.Error(parent, Tr(msg::kScriptUnusable).arg(where, QString::fromStdString(fault)),
                   Tr(msg::kTitle));
}

}  // namespace

void ApplySensorOptions(const std::vector<std::string>& arguments, SensorHub& sensors,
                        Prompter& prompter, QWidget* parent,
                        const std::filesystem::path& sampleDir) {
    SensorCommandLine options = ParseSensorCommandLine(arguments);
    if (!options.error.empty()) {
        TellUnusable(prompter, parent, QStringLiteral("--simulate / --replay / --record"),
                     options.error);
        return;
    }
    if (options.script) {
        options.script = FindSampleFile(*options.script, sampleDir);
        ScriptParseResult loaded = LoadSimulationScript(*options.script);
        const QString file = QString::fromStdString(options.script->string());
        if (!loaded.ok) {
            const QString where =
                loaded.errorLine > 0 ? Tr(msg::kScriptLine).arg(file).arg(loaded.errorLine) : file;
            TellUnusable(prompter, parent, where, loaded.fault);
        } else {
            sensors.UseScript(std::move(loaded.script));
        }
    }
    if (options.record) {
        sensors.RecordSessionsTo(*options.record);
    }
}

}  // namespace vantrel
