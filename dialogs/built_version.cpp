#include "dialogs/about_text.h"

// Written at build time from the git checkout; empty when built from a source archive.
extern const char kBuildCommit[];

namespace vantrel {

VersionValues BuiltVersionValues() {
    VersionValues values;
    values.productName = VANTREL_PRODUCT_NAME;
    values.productVersion = VANTREL_VERSION;
    const std::string commit = kBuildCommit;
    values.fileVersion = commit.empty() ? std::string(VANTREL_VERSION)
                                        : std::string(VANTREL_VERSION) + "+g" + commit;
    values.companyName = VANTREL_COMPANY;
    return values;
}

}  // namespace vantrel
