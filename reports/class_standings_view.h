#pragma once
// The Rank and List pages the record window shows: the overall pages, or those of the class
// chosen, filled again by Update() after results and class edits.
// Thread rule: GUI thread only.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lists/entry_table.h"
#include "lists/table_observer.h"
#include "reports/list_page.h"
#include "reports/rank_page.h"
#include "reports/standings.h"
#include "reports/text_grid.h"

namespace vantrel {

class ClassStandingsView {
public:
    // Both must outlive the view.
    ClassStandingsView(const Standings& standings, const EntryTable& entries);
    ClassStandingsView(const ClassStandingsView&) = delete;
    ClassStandingsView& operator=(const ClassStandingsView&) = delete;

    // Reads the classes again and fills the chosen class's pages; a chosen class that no car
    // has any more gives way to the overall pages. True when the classes offered changed.
    bool Update();
    // "" (or a class no car has) chooses the overall pages.
    void Choose(std::string_view cls);

    // The classes in order of first appearance, without the overall "".
    const std::vector<std::string>& Classes() const { return classes_; }
    const std::string& Chosen() const { return chosen_; }
    // The pages shown; the objects stay the same whichever class is chosen.
    const TextGrid& Rank() const { return rankShown_; }
    const TextGrid& List() const { return listShown_; }

private:
    // A page that reads through to whichever page is shown.
    class Shown final : public TextGrid {
    public:
        explicit Shown(const TextGrid* target) : target_(target) {}
        void Show(const TextGrid* target) { target_ = target; }
        int32_t RowCount() const override { return target_->RowCount(); }
        int32_t ColumnCount() const override { return target_->ColumnCount(); }
        const std::string& Cell(int32_t column, int32_t row) const override {
            return target_->Cell(column, row);
        }

    private:
        const TextGrid* target_;
    };

    void Fill();

    const Standings& standings_;
    const EntryTable& entries_;
    std::vector<std::string> classes_;
    std::string chosen_;
    RankPage classRank_;
    ListPage classList_;
    Shown rankShown_;
    Shown listShown_;
};

// Calls `changed` after every change of a table, once the change is done.
class TableChangeWatch final : public TableObserver {
public:
    explicit TableChangeWatch(std::function<void()> changed) : changed_(std::move(changed)) {}
    void CellsChanged(int32_t, int32_t, int32_t, int32_t) override { changed_(); }
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override { changed_(); }
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override { changed_(); }
    void AboutToReset() override {}
    void ResetDone() override { changed_(); }

private:
    std::function<void()> changed_;
};

}  // namespace vantrel
