#pragma once
// The catalogue's listing pages: one item a line, in the markup the program
// scans, in the charset the site was started with.

#include <optional>
#include <string>
#include <string_view>

namespace moxilo::demo_site {

enum class ListingCharset {
    Utf8Declared,    // UTF-8, declared in a meta tag and the Content-Type
    Utf8Undeclared,  // UTF-8, declared nowhere
    Gbk,             // GBK, declared in a meta tag and the Content-Type
};

// The charset of a --charset value: "utf-8-declared", "utf-8" or "gbk".
[[nodiscard]] std::optional<ListingCharset> listingCharsetNamed(std::string_view name);
[[nodiscard]] std::string_view listingCharsetName(ListingCharset charset);

// The page number a pn parameter asks for; 0 (a page without items) for
// anything that is not a plain decimal number in range.
[[nodiscard]] int listingPageNumber(std::string_view pn);

struct ListingPage {
    std::string body;
    std::string contentType;
};

// Pages 1 to kDemoPageCount list their faces; every other page is a valid
// page with no items.
[[nodiscard]] ListingPage renderListingPage(int pageNumber, ListingCharset charset);

}  // namespace moxilo::demo_site
