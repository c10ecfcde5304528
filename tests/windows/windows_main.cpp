// The main of the shell's tests: isolated like every test program, with a QApplication.

#include <gtest/gtest.h>

#include <QApplication>

#include "support/isolation.h"

int main(int argc, char** argv) {
    const gribo::test::Isolation isolation;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
