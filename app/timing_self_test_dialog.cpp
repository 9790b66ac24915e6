#include "app/timing_self_test_dialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/messages.h"
#include "common/text_file.h"
#include "sensors/sensor_hub.h"
#include "sensors/timing_probe.h"
#include "sensors/timing_verdict.h"
#include "widgets/prompter.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {

constexpr const char* kSimulated =
    QT_TRANSLATE_NOOP("TimingSelfTestDialog", "模擬入力 (ポートなし)");

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

TimingSelfTestDialog::TimingSelfTestDialog(Links links, QWidget* parent)
    : QDialog(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("TimingSelfTestDialog"));
    setWindowTitle(Tr(msg::kSelfTestCaption));
    SourceLabel = new QLabel(this);
    SourceLabel->setObjectName(QStringLiteral("SourceLabel"));
    SourceLabel->setWordWrap(true);
    SelfTestProgress = new QProgressBar(this);
    SelfTestProgress->setObjectName(QStringLiteral("SelfTestProgress"));
    SelfTestProgress->setRange(0, 100);
    ReportText = new QPlainTextEdit(this);
    ReportText->setObjectName(QStringLiteral("ReportText"));
    ReportText->setReadOnly(true);
    StartButton =
        Button(this, "StartButton", QCoreApplication::translate("TimingSelfTestDialog", "開始"));
    CancelButton =
        Button(this, "CancelButton", QCoreApplication::translate("TimingSelfTestDialog", "中止"));
    SaveButton =
        Button(this, "SaveButton", QCoreApplication::translate("TimingSelfTestDialog", "保存..."));
    CloseButton =
        Button(this, "CloseButton", QCoreApplication::translate("TimingSelfTestDialog", "閉じる"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {StartButton, CancelButton, SaveButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SourceLabel);
    layout->addWidget(SelfTestProgress);
    layout->addWidget(ReportText, 1);
    layout->addLayout(buttons);
    resize(600, 360);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &TimingSelfTestDialog::Step);
    connect(StartButton, &QPushButton::clicked, this, [this] { StartTest(); });
    connect(CancelButton, &QPushButton::clicked, this, &TimingSelfTestDialog::CancelTest);
    connect(SaveButton, &QPushButton::clicked, this, &TimingSelfTestDialog::SaveReport);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    ShowIdle();
}

TimingSelfTestDialog::~TimingSelfTestDialog() {
    if (probe_) {
        probe_.reset();  // cancels and waits for the measuring thread
        links_.sensors->CloseSelfTestPort();
    }
}

void TimingSelfTestDialog::ShowIdle() {
    const bool running = Running();
    StartButton->setEnabled(!running);
    CancelButton->setEnabled(running);
    SaveButton->setEnabled(!running && !report_.empty());
    CloseButton->setEnabled(!running);
}

bool TimingSelfTestDialog::StartTest() {
    if (Running()) {
        return false;
    }
    if (links_.sessionRunning() || links_.sensors->IsArmed()) {
        links_.prompter->Warn(this, Tr(msg::kSelfTestRefused), Tr(msg::kSelfTestCaption));
        return false;
    }
    const SetupSettings setup = links_.setup();
    resolutionMs_ = setup.resolution;
    std::string name;
    InputSource* port = links_.sensors->OpenSelfTestPort(setup, name);
    usedPort_ = port != nullptr;
    sourceText_ =
        port != nullptr
            ? name
            : QCoreApplication::translate("TimingSelfTestDialog", kSimulated).toStdString();
    SourceLabel->setText(QCoreApplication::translate("TimingSelfTestDialog", "%1, %2 ms")
                             .arg(QString::fromStdString(sourceText_))
                             .arg(resolutionMs_));
    ProbeOptions options;
    options.periodMs = resolutionMs_;
    options.edgeCount = ProbeEdgesFor(seconds_);
    options.port = port;
    probe_ = std::make_unique<TimingProbe>(options);
    probe_->Start();
    SelfTestProgress->setValue(0);
    ReportText->clear();
    timer_->start(kStepMs);
    ShowIdle();
    return true;
}

void TimingSelfTestDialog::CancelTest() {
    if (probe_) {
        probe_->Cancel();
        Finish();
    }
}

void TimingSelfTestDialog::Step() {
    // The window is busy on purpose: the timing thread must not notice.
    QElapsedTimer busy;
    busy.start();
    while (busy.elapsed() < kBusySliceMs) {
    }
    SelfTestProgress->setValue(static_cast<int>(probe_->Progress() * 100));
    if (probe_->Finished()) {
        Finish();
    }
}

void TimingSelfTestDialog::Finish() {
    timer_->stop();
    const ProbeResult result = probe_->Result();
    probe_.reset();
    if (usedPort_) {
        links_.sensors->CloseSelfTestPort();
    }
    const TimingVerdict verdict = JudgeTiming(result, resolutionMs_);
    report_ = TimingReportLines(result, verdict, sourceText_, resolutionMs_);
    QStringList lines;
    for (const std::string& line : report_) {
        lines << QString::fromStdString(line);
    }
    ReportText->setPlainText(lines.join(QLatin1Char('\n')));
    SelfTestProgress->setValue(result.cancelled ? SelfTestProgress->value() : 100);
    ShowIdle();
    emit testFinished();
}

void TimingSelfTestDialog::SaveReport() {
    if (report_.empty()) {
        return;
    }
    FileDialogOptions options;
    options.filter =
        QCoreApplication::translate("TimingSelfTestDialog", "テキストファイル (*.txt)|*.txt");
    options.defaultSuffix = QStringLiteral("txt");
    options.fileName = QStringLiteral("timing_selftest.txt");
    const std::optional<QString> file = links_.prompter->SaveFile(this, options);
    if (!file) {
        return;
    }
    const IoResult written = WriteCp932Lines(file->toStdString(), report_);
    if (!written) {
        links_.prompter->Error(
            this, Tr(msg::kSelfTestSaveFailed).arg(QString::fromStdString(written.error)),
            Tr(msg::kSelfTestCaption));
    }
}

void TimingSelfTestDialog::reject() {
    if (!Running()) {
        QDialog::reject();
    }
}

}  // namespace vantrel
