#include <gtest/gtest.h>
#include "ovcore/ovcore.h"

ORB_EXPORT(int) ORB_GetEngineVersion();

TEST(OvcoreVersion, IsFour) { EXPECT_EQ(ORB_GetEngineVersion(), 4); }
