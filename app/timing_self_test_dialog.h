#pragma once
// ツール > タイミング診断: runs the timing probe for about 10 s on the port in use (a simulated
// source when there is none) while the window is kept busy on purpose in short slices, then
// shows the distributions, whether real-time priority was granted, the port's read cost and
// the verdict against the chosen resolution; the figures can be saved as a text file. The
// window stays responsive: the run shows its progress and can be cancelled.
// Thread rule: GUI thread only.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/setup_settings.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vantrel {

class Prompter;
class SensorHub;
class TimingProbe;

class TimingSelfTestDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr double kSeconds = 10.0;
    // Each timer step keeps the window busy this long, as a slow redraw or rebuild would.
    static constexpr int kBusySliceMs = 40;
    static constexpr int kStepMs = 60;

    struct Links {
        SensorHub* sensors = nullptr;
        std::function<SetupSettings()> setup;
        std::function<bool()> sessionRunning;
        Prompter* prompter = nullptr;
    };

    TimingSelfTestDialog(Links links, QWidget* parent);
    ~TimingSelfTestDialog() override;

    // Starts a run; refused with a message during a session. False when it did not start.
    bool StartTest();
    void CancelTest();
    bool Running() const { return probe_ != nullptr; }
    // The report of the latest run (empty before the first).
    const std::vector<std::string>& ReportLines() const { return report_; }
    // Asks for a file and writes the report to it (CP932, CR LF).
    void SaveReport();
    // The run's length (kSeconds unless changed: tests and screenshots run shorter).
    void SetSeconds(double seconds) { seconds_ = seconds; }

    QLabel* SourceLabel;
    QProgressBar* SelfTestProgress;
    QPushButton* StartButton;
    QPushButton* CancelButton;
    QPlainTextEdit* ReportText;
    QPushButton* SaveButton;
    QPushButton* CloseButton;

signals:
    void testFinished();

protected:
    void reject() override;

private:
    void Step();
    void Finish();
    void ShowIdle();

    Links links_;
    double seconds_ = kSeconds;
    std::unique_ptr<TimingProbe> probe_;
    std::string sourceText_;
    int32_t resolutionMs_ = 3;
    bool usedPort_ = false;
    std::vector<std::string> report_;
    QTimer* timer_;
};

}  // namespace vantrel
