#pragma once
// The faces the demo catalogue lists: one table, four pages of them.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace moxilo::demo_site {

struct DemoFace {
    int page;
    std::string_view id;
    // As it stands in the listing's alt attribute: UTF-8, character references included.
    std::string_view title;
};

inline constexpr int kDemoPageCount = 4;

// Every face, page by page, in listing order.
[[nodiscard]] std::span<const DemoFace> demoFaces();

[[nodiscard]] std::optional<DemoFace> findDemoFace(std::string_view id);

// The picture store keeps each face in a folder named by its id padded with
// zeros to 10 digits.
[[nodiscard]] std::string storeFolder(std::string_view id);

// The face whose store folder this is; nullopt for any other name, unpadded
// and over-padded ones included.
[[nodiscard]] std::optional<DemoFace> faceInStoreFolder(std::string_view folder);

}  // namespace moxilo::demo_site
