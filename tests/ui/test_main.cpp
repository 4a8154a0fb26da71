// Runs every registered test class of the window; the exit code counts the failed tests.
#include <QApplication>

#include "ui/test_registry.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QTest::setMainSourcePath(__FILE__);
    int failed = 0;
    for (const auto& run : zelk::test::TestClasses()) {
        failed += run(argc, argv);
    }
    return failed;
}
