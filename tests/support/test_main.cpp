// The main of every test program without a QApplication of its own.

#include <gtest/gtest.h>

#include "support/isolation.h"

int main(int argc, char** argv) {
    const gribo::test::Isolation isolation;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
