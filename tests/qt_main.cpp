// gtest entry for tests that need Qt: one application, offscreen.
#include "platform/Application.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication qt(argc, argv);
    TApplication application;
    return RUN_ALL_TESTS();
}
