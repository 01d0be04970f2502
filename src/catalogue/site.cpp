#include "moxilo/catalogue/site.h"

#include <algorithm>
#include <utility>

namespace moxilo::catalogue {
namespace {

constexpr std::size_t kStoreFolderWidth = 10;

bool isStoreId(std::string_view itemId) {
    return !itemId.empty() && itemId.size() <= kStoreFolderWidth &&
           std::ranges::all_of(itemId, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Site::Site(std::string root) : root_(std::move(root)) {}

std::string Site::listingAddress(int pageNumber) const {
    return root_ + "/face/ListWithImage.aspx?pn=" + std::to_string(pageNumber);
}

std::string Site::makeAddress(std::string_view itemId) const {
    return root_ + "/face/make.aspx?id=" + std::string(itemId);
}

std::string Site::pictureAddress(std::string_view itemId) const {
    if (!isStoreId(itemId)) {
        return {};
    }
    const std::string zeros(kStoreFolderWidth - itemId.size(), '0');
    return root_ + "/face/store/face/" + zeros + std::string(itemId) + "/make.jpg";
}

}  // namespace moxilo::catalogue
