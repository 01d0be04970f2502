#include "moxilo/catalogue/page_load.h"

#include <utility>

#include "moxilo/net/page_client.h"

namespace moxilo::catalogue {

PageLoad loadListingPage(const Site& site, int pageNumber, std::stop_token stop) {
    PageLoad load;
    load.pageNumber = pageNumber;
    net::PageRequest request;  // every argument but the address absent
    request.url = site.listingAddress(pageNumber);
    net::PageResult result;
    const std::string page = net::fetchPage(request, result, std::move(stop));
    if (result.failure) {
        load.failure = result.statusText;
        return load;
    }
    // The page client hands the page on as UTF-8; this is its one decoding.
    load.items = extractListing(text::percentDecode(page, true));
    return load;
}

}  // namespace moxilo::catalogue
