#pragma once
// Controls of features that are not built yet: they stay disabled, with a tooltip that says
// so, until their feature is built. The list in the .cpp is the one place that decides it; the
// code that enables or disables controls goes through SetEnabledIfBuilt so that it respects it.
// Thread rule: GUI thread only.

#include <QString>

class QAction;
class QWidget;

namespace vantrel {

enum class Feature {
    kAbout,         // Help > About
    kVoice,         // "読み上げ"
    kSerialOutput,  // "RS232C"
};

bool FeatureBuilt(Feature feature);

// The tooltip of a control whose feature is not built: says so and names the feature.
QString NotBuiltTip(Feature feature);

// When `feature` is not built: disables the control and gives it (and the controls inside it)
// the not-built tooltip. Otherwise leaves it as it is.
void MarkIfNotBuilt(QWidget* control, Feature feature);
void MarkIfNotBuilt(QAction* action, Feature feature);

// Enables or disables the control as asked, but never enables one whose feature is not built.
void SetEnabledIfBuilt(QWidget* control, Feature feature, bool enabled);

}  // namespace vantrel
