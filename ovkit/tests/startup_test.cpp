#include <gtest/gtest.h>
#include "ovkit/startup.h"

TEST(OvkitStartup, AttachKeepsInstance) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    ASSERT_TRUE(OvkitProcessAttach(self));
    EXPECT_EQ(OVKIT_GetInstance(), self);
    OvkitProcessDetach();
}
