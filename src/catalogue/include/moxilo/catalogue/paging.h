#pragma once
// The paging rule: which paging buttons a load enables, and how the page
// number moves. Buttons are only ever enabled by a load; the previous-page
// button alone is disabled again, when it takes the page number to 1.

namespace moxilo::catalogue {

// The page a load fetches: page 1 before anything has been loaded.
constexpr int pageToLoad(int pageNumber) {
    return pageNumber == 0 ? 1 : pageNumber;
}

struct PagingButtons {
    bool enableNext = false;
    bool enablePrevious = false;
    friend constexpr bool operator==(const PagingButtons&, const PagingButtons&) = default;
};

// After a load of `pageNumber`: page 1 enables next, page 2 enables previous.
constexpr PagingButtons pagingAfterLoad(int pageNumber) {
    return {pageNumber == 1, pageNumber == 2};
}

// The previous-page button is disabled once it has taken the page number to 1.
constexpr bool disablePreviousAfter(int pageNumber) {
    return pageNumber == 1;
}

}  // namespace moxilo::catalogue
