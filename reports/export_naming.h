#pragma once
// The folder and file name the record window's save dialog offers for ExportPage. The
// default name depends on the page only before the first export; afterwards the name last
// offered or chosen is offered for either page, even after a cancelled dialog.
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "reports/record_page.h"

namespace vantrel {

class ExportNaming {
public:
    // At window creation: the folder of the result-list save dialog and no name yet.
    void Start(std::filesystem::path folder);

    // The name to offer for an export of `page` ("NewRanking.csv" or "NewList.csv" when none
    // was offered yet); nullopt on "Display", where there is nothing to export.
    std::optional<std::string> Offer(RecordPage page);

    // After a successful write: the file's folder and bare name are offered next time.
    void Remember(const std::filesystem::path& written);

    const std::filesystem::path& Folder() const { return folder_; }
    const std::string& FileName() const { return fileName_; }

private:
    std::filesystem::path folder_;
    std::string fileName_;
};

}  // namespace vantrel
