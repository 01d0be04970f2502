#pragma once
// The make page's check of the form it receives, as an ASP.NET page checks its
// post-back: the controls in order and the values the page issued.

#include <optional>
#include <string>
#include <string_view>

namespace moxilo::demo_site {

// Why a posted make form is refused, or nullopt when it is the page's own form.
// The three text boxes may hold anything; everything else must be as issued.
[[nodiscard]] std::optional<std::string> makeFormProblem(std::string_view body);

}  // namespace moxilo::demo_site
