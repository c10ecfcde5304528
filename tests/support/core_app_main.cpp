// The main of the test programs of the rooms without windows: isolated like every test
// program, with a QCoreApplication for the event loop.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "support/isolation.h"

int main(int argc, char** argv) {
    const gribo::test::Isolation isolation;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
