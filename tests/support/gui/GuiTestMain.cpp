// The main of every GUI test binary. The environment is added here rather than by a static
// initializer beside it: from a static library such an object file is linked only into the
// binaries that use something else of it, and the others would run without a QApplication.
#include <gtest/gtest.h>

#include "tests/support/gui/GuiTestEnvironment.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(baudrill::test::NewGuiTestEnvironment());
    return RUN_ALL_TESTS();
}
