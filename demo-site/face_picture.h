#pragma once
// The rendered face pictures of the picture store, drawn rather than stored.

#include <string>
#include <string_view>

namespace moxilo::demo_site {

inline constexpr int kFacePictureWidth = 280;
inline constexpr int kFacePictureHeight = 220;

// A JPEG cartoon face for a numeric id: the face colour follows the whole id,
// the eyes its last digit, the mouth the digit before, the cheeks its first
// digit. Empty when the JPEG writer is unavailable.
[[nodiscard]] std::string drawFacePicture(std::string_view id);

}  // namespace moxilo::demo_site
