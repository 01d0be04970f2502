// GoogleTest entry for tests that drive real widgets: one QApplication for the
// run, on Qt's offscreen platform unless the caller names another (test
// discovery runs the program without the test's environment).

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
