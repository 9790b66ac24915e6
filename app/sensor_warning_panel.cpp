#include "app/sensor_warning_panel.h"

#include <QMouseEvent>
#include <QStringList>

#include "widgets/widget_util.h"

namespace vantrel {

SensorWarningPanel::SensorWarningPanel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("SensorWarning"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    SetLabelRed(this, true);
    hide();
}

void SensorWarningPanel::Set(SensorWarning warning, const QString& text, const QString& detail) {
    entries_[static_cast<size_t>(warning)] = {text, detail};
    Refresh();
}

void SensorWarningPanel::ClearAll() {
    const Entry journal = entries_[static_cast<size_t>(SensorWarning::kJournal)];
    const Entry sound = entries_[static_cast<size_t>(SensorWarning::kSound)];
    entries_ = {};
    entries_[static_cast<size_t>(SensorWarning::kJournal)] = journal;
    entries_[static_cast<size_t>(SensorWarning::kSound)] = sound;
    Refresh();
}

void SensorWarningPanel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit clicked();
}

void SensorWarningPanel::Refresh() {
    QStringList texts;
    QStringList tips;
    for (const Entry& entry : entries_) {
        if (entry.text.isEmpty()) {
            continue;
        }
        texts << entry.text;
        tips << (entry.detail.isEmpty() ? entry.text
                                        : entry.text + QStringLiteral(": ") + entry.detail);
    }
    setText(texts.join(QStringLiteral(" / ")));
    setToolTip(tips.join(QLatin1Char('\n')));
    setVisible(!texts.isEmpty());
}

}  // namespace vantrel
