#include "platform/ExeDir.h"

#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(ExeDir, EndsInExactlyOneSeparator) {
    EXPECT_EQ(ExeDirFromPath("/opt/mm/modelmanager"), "/opt/mm/");
    EXPECT_EQ(ExeDirFromPath("/opt/mm//modelmanager"), "/opt/mm/");
    EXPECT_EQ(ExeDirFromPath("/modelmanager"), "/");
    EXPECT_EQ(ExeDirFromPath("modelmanager"), "./");
    SetExeDir("/x/y");
    EXPECT_EQ(ExeDir(), "/x/y/");
    SetExeDir("/x/y/");
    EXPECT_EQ(ExeDir(), "/x/y/");
    EXPECT_TRUE(RunningExeDir().ends_with("/"));
}

} // namespace
} // namespace mm
