#include "reports/export_naming.h"

namespace vantrel {

void ExportNaming::Start(std::filesystem::path folder) {
    folder_ = std::move(folder);
    fileName_.clear();
}

std::optional<std::string> ExportNaming::Offer(RecordPage page) {
    if (page == RecordPage::kDisplay) {
        return std::nullopt;
    }
    if (fileName_.empty()) {
        fileName_ = page == RecordPage::kRank ? "NewRanking.csv" : "NewList.csv";
    }
    return fileName_;
}

void ExportNaming::Remember(const std::filesystem::path& written) {
    folder_ = written.parent_path();
    fileName_ = written.filename().string();
}

}  // namespace vantrel
