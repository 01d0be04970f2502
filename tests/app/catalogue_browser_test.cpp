// The catalogue buttons, progress and list, against the real demo site.

#include "catalogue_browser.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue_data.h"
#include "moxilo/app/background_tasks.h"
#include "moxilo/app/main_window.h"
#include "moxilo/gui_test/wait.h"
#include "running_site.h"
#include "widgets/catalogue_list.h"
#include "widgets/period_timer.h"
#include "widgets/progress_meter.h"

namespace moxilo::app {
namespace {

class CatalogueBrowserTest : public ::testing::Test {
protected:
    explicit CatalogueBrowserTest(int port = -1) {
        const int sitePort = port < 0 ? site.port() : port;
        new CatalogueBrowser(
            window, catalogue::Site("http://127.0.0.1:" + std::to_string(sitePort)), tasks);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void press(std::string_view button) {
        QTest::mouseClick(window.control<QPushButton>(button), Qt::LeftButton);
    }

    // Waits until the latest load has finished: progress full, timer stopped.
    void waitForLoad() {
        ASSERT_TRUE(gui_test::waitUntil(
            [this] { return progress()->position() == 10 && timer()->period() == 0; }));
    }

    QStringList titles() const {
        QStringList shown;
        for (const CatalogueRow& row : list()->catalogue().rows()) {
            shown << row.title;
        }
        return shown;
    }

    static QStringList demoTitles(int page) {
        QStringList expected;
        for (const demo_site::DemoFace& face : demo_site::demoFaces()) {
            if (face.page == page) {
                expected << QString::fromUtf8(face.title.data(),
                                              static_cast<qsizetype>(face.title.size()));
            }
        }
        return expected;
    }

    bool enabled(std::string_view button) const {
        return window.control<QWidget>(button)->isEnabled();
    }
    CatalogueList* list() const { return window.control<CatalogueList>(control::catalogueList); }
    ProgressMeter* progress() const { return window.control<ProgressMeter>(control::progressBar); }
    PeriodTimer* timer() const { return window.control<PeriodTimer>(control::progressTimer); }

    demo_site::RunningSite site;
    BackgroundTasks tasks;  // before the window: outlives what the window wires
    MainWindow window;
};

TEST_F(CatalogueBrowserTest, PagingFollowsThePagingRule) {
    struct Step {
        std::string_view button;
        int page;
        bool nextEnabled;
        bool previousEnabled;
    };
    const Step steps[] = {
        {control::loadButton, 1, true, false},         {control::nextPageButton, 2, true, true},
        {control::nextPageButton, 3, true, true},      {control::previousPageButton, 2, true, true},
        {control::previousPageButton, 1, true, false}, {control::loadButton, 1, true, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.button) + " to page " + std::to_string(step.page));
        press(step.button);
        EXPECT_EQ(window.state().pageNumber, step.page);
        waitForLoad();
        EXPECT_EQ(titles(), demoTitles(step.page));
        EXPECT_EQ(enabled(control::nextPageButton), step.nextEnabled);
        EXPECT_EQ(enabled(control::previousPageButton), step.previousEnabled);
    }
}

TEST_F(CatalogueBrowserTest, PreviousToPageOneDisablesItselfAtOnce) {
    press(control::loadButton);
    waitForLoad();
    press(control::nextPageButton);
    waitForLoad();
    press(control::previousPageButton);
    EXPECT_FALSE(enabled(control::previousPageButton)) << "before the load ends";
    waitForLoad();
    EXPECT_TRUE(enabled(control::nextPageButton));
}

TEST_F(CatalogueBrowserTest, PagesPastTheEndLoadAsAnEmptyList) {
    press(control::loadButton);
    waitForLoad();
    for (int page = 2; page <= demo_site::kDemoPageCount + 1; ++page) {
        press(control::nextPageButton);
        waitForLoad();
    }
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_FALSE(progress()->isTextVisible()) << "an empty page is no failure";
}

TEST_F(CatalogueBrowserTest, ProgressStartsAtZeroAndTicksWhileLoading) {
    progress()->setPosition(7);
    press(control::loadButton);
    EXPECT_EQ(progress()->position(), 0);
    EXPECT_EQ(timer()->period(), 1000);
    waitForLoad();
    EXPECT_EQ(progress()->value(), 10);
}

TEST_F(CatalogueBrowserTest, CaptionsAreRaisedAboveThePictureAfterALoad) {
    window.control<QWidget>(control::pictureFrame)->raise();
    press(control::loadButton);
    waitForLoad();
    const QObjectList& stack = window.children();
    const auto frame = stack.indexOf(window.control<QWidget>(control::pictureFrame));
    const auto caption1 = stack.indexOf(window.control<QWidget>(control::caption1));
    const auto caption2 = stack.indexOf(window.control<QWidget>(control::caption2));
    EXPECT_GT(caption1, frame);
    EXPECT_GT(caption2, caption1);
}

TEST_F(CatalogueBrowserTest, RapidPressesLeaveTheLatestPageAndNoMixture) {
    press(control::loadButton);
    waitForLoad();
    // Loads of pages 2 and 3 overlap 48 loads of page 3: any mixture would
    // show rows of page 2 or rows twice.
    for (int i = 0; i < 50; ++i) {
        press(i < 2 ? control::nextPageButton : control::loadButton);
    }
    const int latest = window.state().pageNumber;
    EXPECT_EQ(latest, 3);
    waitForLoad();
    EXPECT_TRUE(tasks.stopAndWait(std::chrono::seconds(10)));
    QTest::qWait(50);  // results already posted are delivered and ignored
    EXPECT_EQ(titles(), demoTitles(latest));
}

class UnreachableSiteTest : public CatalogueBrowserTest {
protected:
    UnreachableSiteTest() : CatalogueBrowserTest(closedPort()) {}

    static int closedPort() {
        demo_site::RunningSite closed;
        return closed.port();
    }
};

TEST_F(UnreachableSiteTest, AFailedLoadShowsItsFailureUntilTheNextLoad) {
    list()->catalogue().appendRows({{"1", "old"}});
    press(control::loadButton);
    waitForLoad();
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_TRUE(progress()->isTextVisible());
    EXPECT_TRUE(progress()->format().startsWith(QStringLiteral("读取失败：7")));
    EXPECT_TRUE(enabled(control::nextPageButton)) << "steps after the fetch run as usual";
}

}  // namespace
}  // namespace moxilo::app
