#include "support/PrivateHome.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test program runs in a home of its own, on the offscreen platform.
int main(int argc, char** argv) {
    const sondex::test::PrivateHome home;
    home.applyToThisProcess();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
