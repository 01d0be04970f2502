#include "moxilo/catalogue/listing.h"

#include "moxilo/regex/pattern_matcher.h"

namespace moxilo::catalogue {

static_assert(kListingPattern.size() == 74);

// Each call has a matcher of its own, so loads that overlap share nothing.
std::vector<CatalogueItem> extractListing(std::string_view page) {
    regex::PatternMatcher matcher;
    matcher.createAndExecute(kListingPattern, page);
    const std::int32_t count = matcher.matchCount();
    std::vector<CatalogueItem> items;
    items.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 1; i <= count; ++i) {
        items.push_back({matcher.subMatchText(i, 1), matcher.subMatchText(i, 2)});
    }
    return items;
}

}  // namespace moxilo::catalogue
