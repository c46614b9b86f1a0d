#include <QCoreApplication>
#include <gtest/gtest.h>

// Test programs of the core run inside a QCoreApplication, as the batch run does.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
