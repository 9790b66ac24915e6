#pragma once
// The status bar's place for sensor warnings that the session texts must not overwrite:
// sensors not live, reads stopped, events lost, the receiver's port gone or its bytes lost. Hidden
// while there is none; a warning stays until the next session start clears them all. Thread rule:
// GUI thread only.

#include <QLabel>
#include <array>

namespace vantrel {

enum class SensorWarning {
    kNotLive = 0,
    kReadStopped = 1,
    kEventsLost = 2,
    kReceiverLost = 3,
    kJournal = 4,  // the journal cannot be written; stays until it recovers, not per session
    kReceiverBytesLost = 5,
    kSound = 6,  // the sound device was dropped; stays for the rest of the run
};

class SensorWarningPanel final : public QLabel {
    Q_OBJECT
public:
    explicit SensorWarningPanel(QWidget* parent);

    // Shows `text` (the tooltip adds `detail`) in place of an earlier warning of that kind.
    void Set(SensorWarning warning, const QString& text, const QString& detail = QString());
    // Clears every warning but the journal's and the sound device's.
    void ClearAll();

signals:
    // A click on the place: the operator wants the devices' details.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Refresh();

    struct Entry {
        QString text;
        QString detail;
    };
    std::array<Entry, 7> entries_;
};

}  // namespace vantrel
