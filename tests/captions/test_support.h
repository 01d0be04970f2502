#pragma once
// Readable failure messages and test names for the caption tests.

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "moxilo/captions/geometry.h"

namespace moxilo::captions {

inline void PrintTo(const Point& point, std::ostream* out) {
    *out << '(' << point.x << ", " << point.y << ')';
}

inline void PrintTo(const Rect& rect, std::ostream* out) {
    *out << '(' << rect.left << ", " << rect.top << ") " << rect.width << 'x' << rect.height;
}

// Names each parameterised case after the `name` of its row.
struct NameOfCase {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& testCase) const {
        return testCase.param.name;
    }
};

// Prints a case as its name in failure messages. The case tables live in each
// test file's unnamed namespace, which is this one within that file, so
// argument-dependent lookup finds it.
namespace {

template <typename Case>
requires requires(const Case& testCase) {
    testCase.name;
}
void PrintTo(const Case& testCase, std::ostream* out) {
    *out << testCase.name;
}

}  // namespace

}  // namespace moxilo::captions
