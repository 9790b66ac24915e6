#pragma once
// Helpers shared by the list tests: golden files and a recording table observer.

#include <filesystem>
#include <string>
#include <vector>

#include "lists/table_observer.h"
#include "support/temp_dir.h"

namespace vantrel::test {

inline std::filesystem::path Golden(const std::string& name) {
    return std::filesystem::path(VANTREL_LISTS_GOLDEN) / name;
}

// Records every notification as a short text, e.g. "cells 5-199 1-2".
class RecordingObserver final : public TableObserver {
public:
    std::vector<std::string> calls;

    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override {
        calls.push_back("cells " + Range(firstRow, lastRow) + " " + Range(firstColumn, lastColumn));
    }
    void RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) override {
        calls.push_back("insert " + Range(firstRow, lastRow));
    }
    void RowsInserted() override { calls.push_back("inserted"); }
    void RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) override {
        calls.push_back("remove " + Range(firstRow, lastRow));
    }
    void RowsRemoved() override { calls.push_back("removed"); }
    void AboutToReset() override { calls.push_back("reset"); }
    void ResetDone() override { calls.push_back("reset done"); }

private:
    static std::string Range(int32_t first, int32_t last) {
        return std::to_string(first) + "-" + std::to_string(last);
    }
};

}  // namespace vantrel::test
