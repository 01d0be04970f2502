#pragma once
// The form the face preview posts to the make page so that the site renders
// the face. It is the same for every item: only the make address carries the id.

#include <string>

namespace moxilo::catalogue {

// The form-urlencoded body of the make form: the issued view state, generator
// and event validation (Base64 "+", "/" and "=" percent-encoded), the search
// box and both text lines empty, the make button's caption, the post box empty.
// Fields are joined by "&", with none after the last.
[[nodiscard]] std::string makeFormBody();

}  // namespace moxilo::catalogue
