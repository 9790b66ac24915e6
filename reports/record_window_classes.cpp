// The record window's class selector: which class the Rank and List pages show.
#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

#include "common/messages.h"
#include "reports/class_standings_view.h"
#include "reports/record_window.h"
#include "reports/scoreboard_page.h"
#include "widgets/ui_tr.h"

namespace vantrel {

namespace {

// Item 0 is "全体", item k the k-th class.
int SelectorIndexOf(const std::vector<std::string>& classes, const std::string& chosen) {
    const auto found = std::find(classes.begin(), classes.end(), chosen);
    return found == classes.end() ? 0 : static_cast<int>(found - classes.begin()) + 1;
}

}  // namespace

const std::string& TRecordForm::ChosenClass() const {
    return shown_->Chosen();
}

const TextGrid& TRecordForm::ShownRank() const {
    return shown_->Rank();
}

const TextGrid& TRecordForm::ShownList() const {
    return shown_->List();
}

void TRecordForm::ChooseClass(const std::string& cls) {
    const std::string before = shown_->Chosen();
    shown_->Choose(cls);
    {
        // Only the index follows: the items are not rebuilt under the selector's own signal.
        const QSignalBlocker block(classSelector);
        classSelector->setCurrentIndex(SelectorIndexOf(shown_->Classes(), shown_->Chosen()));
    }
    Refresh();
    if (shown_->Chosen() != before) {
        emit classChosen();
    }
}

void TRecordForm::ClassSelectorChanged(int index) {
    const std::vector<std::string>& classes = shown_->Classes();
    const size_t k = static_cast<size_t>(index - 1);
    ChooseClass(index >= 1 && k < classes.size() ? classes[k] : std::string());
}

void TRecordForm::UpdateClasses() {
    const std::string before = shown_->Chosen();
    if (shown_->Update() || shown_->Chosen() != before) {
        FillClassSelector();
    }
    if (shown_->Chosen() != before) {
        emit classChosen();
    }
}

void TRecordForm::FillClassSelector() {
    const QSignalBlocker block(classSelector);
    const std::vector<std::string>& classes = shown_->Classes();
    classSelector->clear();
    classSelector->addItem(Tr(msg::kAllClasses));
    for (const std::string& cls : classes) {
        classSelector->addItem(QString::fromStdString(cls));
    }
    classSelector->setCurrentIndex(SelectorIndexOf(classes, shown_->Chosen()));
    classSelector->adjustSize();
    TabSheet3->SetClasses(classes);
    PageControl1Change(PageControl1->currentIndex());
}

}  // namespace vantrel
