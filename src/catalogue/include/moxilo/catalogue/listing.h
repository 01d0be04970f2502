#pragma once
// The faces of one listing page: every match of the listing pattern, in page order.

#include <string_view>
#include <vector>

#include "moxilo/text/codec.h"

namespace moxilo::catalogue {

// The listing pattern: group 1 is the item id, group 2 the title.
inline constexpr std::string_view kListingPattern =
    R"pattern(<li><a href="make.aspx\?id=(.*?)"><div class="image"><img alt="(.*?)" src=)pattern";

struct CatalogueItem {
    text::Text itemId;  // as captured, no further decoding
    text::Text title;   // as captured: character references stay as they are
    friend bool operator==(const CatalogueItem&, const CatalogueItem&) = default;
};

// `page` is Text (code page 936), already decoded.
std::vector<CatalogueItem> extractListing(std::string_view page);

}  // namespace moxilo::catalogue
