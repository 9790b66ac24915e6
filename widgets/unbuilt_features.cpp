#include "widgets/unbuilt_features.h"

#include <QAction>
#include <QWidget>
#include <algorithm>
#include <iterator>

namespace vantrel {

namespace {
// Features whose controls are shown but do nothing yet. Building one removes its line here.
constexpr Feature kNotBuilt[] = {
    Feature::kAbout,
    Feature::kSerialOutput,
};

const char* FeatureName(Feature feature) {
    switch (feature) {
        case Feature::kAbout:
            return "バージョン情報の表示";
        case Feature::kVoice:
            return "タイムの読み上げ";
        case Feature::kSerialOutput:
            return "RS232C へのタイム送信";
    }
    return "";
}
}  // namespace

bool FeatureBuilt(Feature feature) {
    return std::find(std::begin(kNotBuilt), std::end(kNotBuilt), feature) == std::end(kNotBuilt);
}

QString NotBuiltTip(Feature feature) {
    return QStringLiteral("この機能はまだ使えません：%1")
        .arg(QString::fromUtf8(FeatureName(feature)));
}

void MarkIfNotBuilt(QWidget* control, Feature feature) {
    if (FeatureBuilt(feature)) {
        return;
    }
    control->setEnabled(false);
    control->setToolTip(NotBuiltTip(feature));
    // A part with a hint of its own would show that hint instead.
    for (QWidget* part : control->findChildren<QWidget*>()) {
        if (!part->toolTip().isEmpty()) {
            part->setToolTip(NotBuiltTip(feature));
        }
    }
}

void MarkIfNotBuilt(QAction* action, Feature feature) {
    if (FeatureBuilt(feature)) {
        return;
    }
    action->setEnabled(false);
    action->setToolTip(NotBuiltTip(feature));
}

void SetEnabledIfBuilt(QWidget* control, Feature feature, bool enabled) {
    control->setEnabled(enabled && FeatureBuilt(feature));
}

}  // namespace vantrel
