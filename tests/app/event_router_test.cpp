#include "moxilo/app/event_router.h"

#include <gtest/gtest.h>

#include <vector>

namespace moxilo::app {
namespace {

constexpr ControlAddress kTarget{1, 10};
constexpr ControlAddress kRedirected{1, 11};
constexpr ControlAddress kOther{1, 12};

class EventRouterTest : public ::testing::Test {
protected:
    EventRouterTest() {
        router.redirect(kRedirected, kTarget);
        router.setHandler(kTarget, ControlEvent::LeftButtonPressed,
                          [this] { sources.push_back(router.eventSource()); });
    }

    EventRouter router;
    std::vector<ControlAddress> sources;
};

TEST_F(EventRouterTest, HandlerSeesTheControlThatRaisedTheEvent) {
    EXPECT_TRUE(router.raise(kTarget, ControlEvent::LeftButtonPressed));
    EXPECT_TRUE(router.raise(kRedirected, ControlEvent::LeftButtonPressed));
    EXPECT_EQ(sources, (std::vector<ControlAddress>{kTarget, kRedirected}));
    EXPECT_TRUE(router.eventSource().isNone()) << "no source outside a handler";
}

TEST_F(EventRouterTest, EventsWithoutHandlerAreNotHandled) {
    EXPECT_FALSE(router.raise(kOther, ControlEvent::LeftButtonPressed));
    EXPECT_FALSE(router.raise(kRedirected, ControlEvent::MouseMoved));
    EXPECT_TRUE(sources.empty());
}

TEST_F(EventRouterTest, NestedEventRestoresTheOuterSource) {
    std::vector<ControlAddress> seen;
    router.setHandler(kOther, ControlEvent::MouseMoved, [&] {
        router.raise(kRedirected, ControlEvent::LeftButtonPressed);
        seen.push_back(router.eventSource());
    });
    router.raise(kOther, ControlEvent::MouseMoved);
    EXPECT_EQ(sources, std::vector<ControlAddress>{kRedirected});
    EXPECT_EQ(seen, std::vector<ControlAddress>{kOther});
}

TEST_F(EventRouterTest, HandlerMayReplaceItselfWhileRunning) {
    int replacementRuns = 0;
    router.setHandler(kOther, ControlEvent::MouseMoved, [&] {
        router.setHandler(kOther, ControlEvent::MouseMoved, [&] { ++replacementRuns; });
    });
    router.raise(kOther, ControlEvent::MouseMoved);
    router.raise(kOther, ControlEvent::MouseMoved);
    EXPECT_EQ(replacementRuns, 1);
}

}  // namespace
}  // namespace moxilo::app
