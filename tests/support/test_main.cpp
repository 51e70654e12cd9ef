// The main of every GoogleTest executable of the project.
#include "TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

int main(int argc, char **argv)
{
    // Test discovery runs the binary without the test environment: list the
    // tests and leave before any Qt object or temporary folder exists.
    if (std::any_of(argv + 1, argv + argc,
                    [](const char *arg) { return std::strcmp(arg, "--gtest_list_tests") == 0; })) {
        ::testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }
    testenv::isolate();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(testenv::root().toStdString(), ignored);
    return result;
}
