#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "widgets/catalogue_list.h"
#include "widgets/colour_picker.h"
#include "widgets/period_timer.h"
#include "widgets/progress_meter.h"
#include "widgets/up_down_control.h"

namespace moxilo::app {
namespace {

TEST(ProgressMeterTest, KeepsPositionsAboveTheMaximumAndShowsThemFull) {
    ProgressMeter meter(nullptr);
    for (int position : {0, 5, 10, 11, 25}) {
        meter.setPosition(position);
        EXPECT_EQ(meter.position(), position);
        EXPECT_EQ(meter.value(), std::min(position, 10));
    }
    meter.setPosition(-3);
    EXPECT_EQ(meter.value(), 0);
}

TEST(PeriodTimerTest, PeriodRules) {
    PeriodTimer timer(nullptr);
    QSignalSpy ticks(&timer, &PeriodTimer::elapsed);
    timer.setPeriod(-5);
    EXPECT_EQ(timer.period(), 0) << "negative counts as 0";
    timer.setPeriod(20);
    EXPECT_EQ(timer.period(), 20);
    EXPECT_TRUE(ticks.wait(2000));
    timer.setPeriod(0);
    const auto ticksWhenStopped = ticks.count();
    QTest::qWait(80);
    EXPECT_EQ(ticks.count(), ticksWhenStopped) << "period 0 stops the timer";
}

TEST(UpDownControlTest, EachArrowPressReportsPlusOrMinusOne) {
    UpDownControl spinner(nullptr);
    spinner.resize(40, 32);
    QSignalSpy presses(&spinner, &UpDownControl::arrowPressed);
    auto* up = spinner.findChild<QToolButton*>(QStringLiteral("up"));
    auto* down = spinner.findChild<QToolButton*>(QStringLiteral("down"));
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    ASSERT_EQ(presses.count(), 3);
    EXPECT_EQ(presses[0][0].toInt(), 1);
    EXPECT_EQ(presses[1][0].toInt(), 1);
    EXPECT_EQ(presses[2][0].toInt(), -1);
}

TEST(ColourPickerTest, ChoosingMakesTheColourCurrentThenReportsIt) {
    ColourPicker picker(nullptr);
    QColor reported;
    QObject::connect(&picker, &ColourPicker::colourChosen, [&](const QColor& colour) {
        EXPECT_EQ(picker.colour(), colour) << "current before it is reported";
        reported = colour;
    });
    picker.choose(QColor(10, 20, 30, 40));
    EXPECT_EQ(reported, QColor(10, 20, 30)) << "never transparent";
    EXPECT_NE(picker.menu(), nullptr);
}

class CatalogueListTest : public ::testing::Test {
protected:
    CatalogueListTest() {
        list.resize(224, 264);
        list.catalogue().appendRows({{"101", "甲"}, {"102", "乙"}});
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    QPoint rowCentre(int row) const {
        return list.visualRect(list.model()->index(row, 1)).center();
    }

    CatalogueList list{nullptr};
};

TEST_F(CatalogueListTest, ClickOnARowSelectsItThenReportsTheClick) {
    int selectedWhenReported = -2;
    QObject::connect(&list, &CatalogueList::itemAreaClicked,
                     [&] { selectedWhenReported = list.selectedRow(); });
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(selectedWhenReported, 1);
}

TEST_F(CatalogueListTest, ClickOnEmptySpaceClearsTheSelectionAndIsReported) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(0));
    QSignalSpy clicks(&list, &CatalogueList::itemAreaClicked);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(50, 250));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST_F(CatalogueListTest, KeyboardSelectionReportsNoClick) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(0));
    QSignalSpy clicks(&list, &CatalogueList::itemAreaClicked);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(CatalogueListTest, RowsAppendInOrderAndClear) {
    list.catalogue().appendRows({{"103", "丙"}});
    ASSERT_EQ(list.model()->rowCount(), 3);
    EXPECT_EQ(list.model()->index(2, 0).data().toString(), QStringLiteral("103"));
    EXPECT_EQ(list.model()->index(2, 1).data().toString(), QStringLiteral("丙"));
    list.catalogue().clear();
    EXPECT_EQ(list.model()->rowCount(), 0);
}

}  // namespace
}  // namespace moxilo::app
