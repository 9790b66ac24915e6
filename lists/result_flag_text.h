#pragma once
// The words for a review mark that the grid's tooltip and the review window show.
// Thread rule: GUI thread only.

#include <QString>
#include <string>

namespace vantrel {

// "前5周の中央値 01:02.300 の 60 % 未満" and the like; "" for a text that is no mark.
QString FlagReasonText(const std::string& flag);

}  // namespace vantrel
