#pragma once
// The addresses of the catalogue site: listing pages, the make page and the
// picture store, built from the site root.

#include <string>
#include <string_view>

namespace moxilo::catalogue {

class Site {
public:
    // `root`: scheme and host (and port) without a trailing slash.
    explicit Site(std::string root);

    [[nodiscard]] const std::string& root() const { return root_; }

    // The listing page of a page number.
    [[nodiscard]] std::string listingAddress(int pageNumber) const;
    // The make page of an item; the id goes in as it stands.
    [[nodiscard]] std::string makeAddress(std::string_view itemId) const;
    // The rendered picture of an item, whose store folder is the id padded
    // with zeros to 10 characters. Only ids of 1 to 10 ASCII digits have one,
    // so nothing taken from a page can reach another path of the site; any
    // other id gives the empty address.
    [[nodiscard]] std::string pictureAddress(std::string_view itemId) const;

private:
    std::string root_;
};

}  // namespace moxilo::catalogue
