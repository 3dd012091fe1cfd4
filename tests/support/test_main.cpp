// Test entry point: one QApplication for the whole run, always headless.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    // Set here as well as by CTest so a test program started by hand never needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
