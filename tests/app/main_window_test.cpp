#include "moxilo/app/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "moxilo/gui_test/wait.h"

#include <vector>

#include "widgets/catalogue_list.h"
#include "widgets/colour_picker.h"
#include "widgets/period_timer.h"
#include "widgets/picture_box.h"
#include "widgets/progress_meter.h"
#include "widgets/transparent_label.h"
#include "widgets/up_down_control.h"

namespace moxilo::app {
namespace {

QString qstring(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool hasKind(QObject* object, ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return qobject_cast<QPushButton*>(object) != nullptr;
        case ControlKind::CheckBox:
            return qobject_cast<QCheckBox*>(object) != nullptr;
        case ControlKind::UpDown:
            return qobject_cast<UpDownControl*>(object) != nullptr;
        case ControlKind::Timer:
            return qobject_cast<PeriodTimer*>(object) != nullptr;
        case ControlKind::Caption:
        case ControlKind::Handle:
            return qobject_cast<TransparentLabel*>(object) != nullptr;
        case ControlKind::ColourPicker:
            return qobject_cast<ColourPicker*>(object) != nullptr;
        case ControlKind::EditBox:
            return qobject_cast<QLineEdit*>(object) != nullptr;
        case ControlKind::GroupBox:
            return qobject_cast<QGroupBox*>(object) != nullptr;
        case ControlKind::PictureBox:
            return qobject_cast<PictureBox*>(object) != nullptr;
        case ControlKind::ListView:
            return qobject_cast<CatalogueList*>(object) != nullptr;
        case ControlKind::ProgressBar:
            return qobject_cast<ProgressMeter*>(object) != nullptr;
    }
    return false;
}

QString shownText(QObject* object) {
    if (auto* button = qobject_cast<QAbstractButton*>(object);
        button && !qobject_cast<ColourPicker*>(object)) {
        return button->text();
    }
    if (auto* label = qobject_cast<TransparentLabel*>(object)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        return edit->text();
    }
    return {};
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The widget's index in its parent's stacking order (higher lies on top).
    static qsizetype stackIndex(QWidget* widget) {
        return widget->parentWidget()->children().indexOf(widget);
    }

    MainWindow window;
};

TEST_F(MainWindowTest, WindowHasTheTemplateTitleAndFixedClientSize) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("MoxiloV1.0"));
    EXPECT_EQ(window.size(), QSize(kClientWidth, kClientHeight));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable by dragging";
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(MainWindowTest, EveryControlOfTheTableIsLiveWithItsSettings) {
    ASSERT_EQ(controlTable().size(), 27U);
    for (const ControlEntry& entry : controlTable()) {
        SCOPED_TRACE(qstring(entry.name).toStdString());
        QObject* object = window.control(entry.name);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->objectName(), qstring(entry.name));
        EXPECT_TRUE(hasKind(object, entry.kind));
        auto* widget = qobject_cast<QWidget*>(object);
        if (entry.kind == ControlKind::Timer) {
            EXPECT_EQ(widget, nullptr) << "the timer is never shown";
            continue;
        }
        ASSERT_NE(widget, nullptr);
        const QWidget* parent = entry.parent.empty() ? static_cast<QWidget*>(&window)
                                                     : window.control<QWidget>(entry.parent);
        EXPECT_EQ(widget->parentWidget(), parent);
        EXPECT_EQ(widget->geometry(), QRect(entry.geometry.left, entry.geometry.top,
                                            entry.geometry.width, entry.geometry.height));
        EXPECT_EQ(shownText(object), qstring(entry.text));
        EXPECT_EQ(widget->isVisible(), entry.visible);
        EXPECT_EQ(widget->isEnabled(), entry.enabled);
        EXPECT_EQ(window.widgetAt(entry.address()), widget);
    }
}

TEST_F(MainWindowTest, InitialSettingsMatchTheTemplate) {
    EXPECT_FALSE(window.control<QWidget>(control::previousPageButton)->isEnabled());
    EXPECT_FALSE(window.control<QWidget>(control::nextPageButton)->isEnabled());
    EXPECT_FALSE(window.control<QCheckBox>(control::boldCheckBox)->isChecked());
    EXPECT_EQ(window.control<PeriodTimer>(control::progressTimer)->period(), 0);

    auto* progress = window.control<ProgressMeter>(control::progressBar);
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 10);
    EXPECT_EQ(progress->position(), 0);

    auto* list = window.control<CatalogueList>(control::catalogueList);
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(list->model()->columnCount(), 2);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("网址"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("标题"));
    EXPECT_TRUE(list->isColumnHidden(0));
    EXPECT_EQ(list->columnWidth(1), 200);
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->selectedRow(), -1);
    EXPECT_FALSE(list->horizontalHeader()->isHidden());

    for (auto name : {control::caption1, control::caption2}) {
        auto* caption = window.control<TransparentLabel>(name);
        EXPECT_TRUE(caption->text().isEmpty());
        EXPECT_EQ(caption->textColour(), QColor(Qt::black));
        EXPECT_EQ(caption->font().pixelSize(), 20);
        EXPECT_EQ(caption->fontHeight(), -20);
        EXPECT_EQ(caption->font().weight(), QFont::Normal);
        EXPECT_TRUE(caption->wordWrap());
        EXPECT_FALSE(caption->autoFillBackground());
    }
    for (auto name : {control::caption1ColourPicker, control::caption2ColourPicker}) {
        EXPECT_EQ(window.control<ColourPicker>(name)->colour(), QColor(Qt::black));
    }
    for (int offset = 0; offset < control::kHandleCount; ++offset) {
        auto* handle = qobject_cast<TransparentLabel*>(window.handle(offset));
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(handle->textColour(), QColor(0, 0, 255));
        EXPECT_FALSE(handle->wordWrap());
        EXPECT_FALSE(handle->isVisible());
    }
}

TEST_F(MainWindowTest, HandlesRiseFromTopLeftWithTheirPointers) {
    const std::vector<std::pair<QString, Qt::CursorShape>> expected{
        {QStringLiteral("左上"), Qt::SizeFDiagCursor},
        {QStringLiteral("左中"), Qt::SizeHorCursor},
        {QStringLiteral("左下"), Qt::SizeBDiagCursor},
        {QStringLiteral("中中"), Qt::SizeVerCursor},
        {QStringLiteral("中下"), Qt::SizeVerCursor},
        {QStringLiteral("右上"), Qt::SizeBDiagCursor},
        {QStringLiteral("右中"), Qt::SizeHorCursor},
        {QStringLiteral("右下"), Qt::SizeFDiagCursor},
    };
    for (int offset = 0; offset < control::kHandleCount; ++offset) {
        QWidget* handle = window.handle(offset);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(handle->objectName(), expected[static_cast<std::size_t>(offset)].first);
        EXPECT_EQ(handle->cursor().shape(), expected[static_cast<std::size_t>(offset)].second);
    }
}

TEST_F(MainWindowTest, CaptionsLieAbovePictureFrameAndCaption2AboveCaption1) {
    const auto caption1 = stackIndex(window.control<QWidget>(control::caption1));
    const auto caption2 = stackIndex(window.control<QWidget>(control::caption2));
    const auto frame = stackIndex(window.control<QWidget>(control::pictureFrame));
    EXPECT_GT(caption1, frame);
    EXPECT_GT(caption2, caption1);
}

TEST_F(MainWindowTest, PressingCaption2ReachesCaption1HandlerWithCaption2AsSource) {
    std::vector<ControlAddress> sources;
    window.router().setHandler(controlEntry(control::caption1).address(),
                               ControlEvent::LeftButtonPressed,
                               [&] { sources.push_back(window.router().eventSource()); });
    QTest::mouseClick(window.control<QWidget>(control::caption2), Qt::LeftButton);
    QTest::mouseClick(window.control<QWidget>(control::caption1), Qt::LeftButton);
    EXPECT_EQ(sources, (std::vector<ControlAddress>{controlEntry(control::caption2).address(),
                                                    controlEntry(control::caption1).address()}));
}

TEST_F(MainWindowTest, PressingEachHandleReachesTopLeftHandlerWithItselfAsSource) {
    std::vector<ControlAddress> sources;
    window.router().setHandler(controlEntry(control::topLeftHandle).address(),
                               ControlEvent::LeftButtonPressed,
                               [&] { sources.push_back(window.router().eventSource()); });
    std::vector<ControlAddress> expected;
    for (int offset = 0; offset < control::kHandleCount; ++offset) {
        QWidget* handle = window.handle(offset);
        handle->show();
        handle->raise();
        QTest::mouseClick(handle, Qt::LeftButton);
        expected.push_back(window.addressOf(handle));
    }
    EXPECT_EQ(sources, expected);
}

TEST_F(MainWindowTest, MouseOverCaption2ReachesCaption1MoveHandler) {
    std::vector<ControlAddress> sources;
    window.router().setHandler(controlEntry(control::caption1).address(), ControlEvent::MouseMoved,
                               [&] { sources.push_back(window.router().eventSource()); });
    QTest::mouseMove(window.control<QWidget>(control::caption2), QPoint(5, 5));
    ASSERT_FALSE(sources.empty());
    EXPECT_EQ(sources.back(), controlEntry(control::caption2).address());
}

TEST_F(MainWindowTest, PressOnWindowFrameOrPictureIsABackgroundPress) {
    int presses = 0;
    QObject::connect(&window, &MainWindow::backgroundPressed, [&] { ++presses; });
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseClick(window.control<QWidget>(control::pictureBox), Qt::LeftButton);
    EXPECT_EQ(presses, 2);
    QTest::mouseClick(window.control<QWidget>(control::loadButton), Qt::LeftButton);
    QTest::mouseClick(window.control<QWidget>(control::caption1TextBox), Qt::LeftButton);
    EXPECT_EQ(presses, 2) << "presses on other controls are theirs";
}

TEST_F(MainWindowTest, AboutCanBeShownRepeatedlyAndChangesNothingElse) {
    auto* about = window.control<QPushButton>(control::aboutButton);
    for (int round = 0; round < 2; ++round) {
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->text();
            box->accept();
        });
        QTest::mouseClick(about, Qt::LeftButton);
        EXPECT_TRUE(shown.contains(QStringLiteral("MoxiloV1.0")));
    }
    EXPECT_EQ(window.state().pageNumber, 0);
    EXPECT_TRUE(window.state().selectedCaption.isNone());
    EXPECT_FALSE(window.state().handlesShown);
    EXPECT_EQ(window.size(), QSize(kClientWidth, kClientHeight));
}

TEST_F(MainWindowTest, MaximisingEnlargesTheWindowAndMovesNoControl) {
    window.showMaximized();
    EXPECT_TRUE(gui_test::waitUntil(
        [&] { return window.width() > kClientWidth || window.height() > kClientHeight; }));
    for (const ControlEntry& entry : controlTable()) {
        if (auto* widget = window.control<QWidget>(entry.name)) {
            EXPECT_EQ(widget->geometry(), QRect(entry.geometry.left, entry.geometry.top,
                                                entry.geometry.width, entry.geometry.height));
        }
    }
    window.showNormal();
    EXPECT_TRUE(
        gui_test::waitUntil([&] { return window.size() == QSize(kClientWidth, kClientHeight); }));
}

TEST(MainWindowStartTest, ProgramStateStartsEmpty) {
    MainWindow window;
    EXPECT_EQ(window.state().pageNumber, 0);
    EXPECT_TRUE(window.state().selectedCaption.isNone());
    EXPECT_FALSE(window.state().handlesShown);
    EXPECT_TRUE(window.state().pressedHandle.isNone());
}

}  // namespace
}  // namespace moxilo::app
