#pragma once
// One catalogue load: fetch a listing page, decode it once, extract its faces.
// Blocking: it runs on a worker thread.

#include <optional>
#include <stop_token>
#include <vector>

#include "moxilo/catalogue/listing.h"
#include "moxilo/catalogue/site.h"
#include "moxilo/text/codec.h"

namespace moxilo::catalogue {

struct PageLoad {
    int pageNumber = 0;
    std::vector<CatalogueItem> items;
    // The page client's numbered message when the fetch failed (the list then
    // stays empty); a page without items is no failure.
    std::optional<text::Text> failure;
};

// Requesting `stop` ends the fetch soon after, as a failed one.
PageLoad loadListingPage(const Site& site, int pageNumber, std::stop_token stop = {});

}  // namespace moxilo::catalogue
