#include "reports/class_standings_view.h"

#include <algorithm>

#include "reports/class_standings.h"

namespace vantrel {

ClassStandingsView::ClassStandingsView(const Standings& standings, const EntryTable& entries)
    : standings_(standings),
      entries_(entries),
      classes_(ClassesOf(entries)),
      rankShown_(&standings.Rank()),
      listShown_(&standings.List()) {}

bool ClassStandingsView::Update() {
    std::vector<std::string> classes = ClassesOf(entries_);
    const bool changed = classes != classes_;
    classes_ = std::move(classes);
    Fill();
    return changed;
}

void ClassStandingsView::Choose(std::string_view cls) {
    chosen_ = cls;
    Fill();
}

void ClassStandingsView::Fill() {
    if (std::find(classes_.begin(), classes_.end(), chosen_) == classes_.end()) {
        chosen_.clear();
    }
    if (chosen_.empty()) {
        rankShown_.Show(&standings_.Rank());
        listShown_.Show(&standings_.List());
        return;
    }
    FillClassRank(standings_, entries_, chosen_, classRank_);
    FillClassList(standings_, entries_, chosen_, classList_);
    rankShown_.Show(&classRank_);
    listShown_.Show(&classList_);
}

}  // namespace vantrel
