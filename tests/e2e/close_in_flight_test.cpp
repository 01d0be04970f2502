// Closing the window while a catalogue load and a face preview are still
// waiting on the site: the real program must end at once and cleanly.

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

#include "moxilo/loopback/http_test_server.h"
#include "x_session.h"

namespace moxilo::e2e {
namespace {

using namespace std::chrono_literals;
using loopback::HttpTestServer;
using loopback::Reply;

// The first listing answers with one face; everything after that hangs.
Reply answerOnceThenHang(const std::string& request, std::atomic<int>& listings) {
    if (request.starts_with("GET /face/ListWithImage.aspx") && listings++ == 0) {
        return Reply::ok(
            "<li><a href=\"make.aspx?id=123\"><div class=\"image\"><img alt=\"face\" src=\"x\" "
            "/></div></a></li>");
    }
    Reply hang;
    hang.ending = Reply::Ending::stall;
    return hang;
}

TEST(CloseInFlightEndToEnd, ClosingDuringALoadAndAPreviewEndsTheProgramWithinTwoSeconds) {
    std::atomic<int> listings = 0;
    HttpTestServer site(
        [&](const std::string& request) { return answerOnceThenHang(request, listings); },
        MOXILO_E2E_STALL_PORT);
    XSession session;
    ASSERT_TRUE(session.ready());
    RunningProgram program(session, QStringLiteral(MOXILO_E2E_STALL_PROGRAM));
    ASSERT_TRUE(program.ready());

    program.click({376, 24});  // load: page 1 with its one face
    QThread::msleep(1000);
    program.click({110, 30});  // the face: the make form now hangs
    program.click({376, 24});  // load again: the listing now hangs
    QThread::msleep(500);
    ASSERT_GE(site.requests().size(), 3U) << "a preview and a load are in flight";

    QElapsedTimer closing;
    closing.start();
    const std::optional<int> exitCode = program.close(5s);
    ASSERT_TRUE(exitCode.has_value()) << "still running after 5 s";
    EXPECT_LT(closing.elapsed(), 2000) << "ms from the close to the end";
    EXPECT_EQ(*exitCode, 0);
    const QByteArray errors = program.errors();
    EXPECT_FALSE(errors.contains("Sanitizer")) << errors.toStdString();
    EXPECT_FALSE(errors.contains("runtime error")) << errors.toStdString();
}

}  // namespace
}  // namespace moxilo::e2e
