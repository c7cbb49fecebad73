// The host's way in: which codes have entry functions, which callback slots
// are kept.
#include <gtest/gtest.h>
#include "ovdesk/host_interface.h"
#include "host/host_callbacks.h"

namespace {
void CALLBACK SomeCallback(void) {}
void CALLBACK OtherCallback(void) {}
} // namespace

TEST(HostInterface, IsFunctionSupportedAnswersByCode) {
    const int withEntry[] = {1,  2,  3,  4,  5,  7,  8,  9,  11, 12, 13, 14, 15, 17,
                             18, 19, 20, 21, 22, 23, 24, 25, 26, 28, 33, 34, 37};
    const int without[] = {-1, 0, 6, 10, 16, 27, 29, 30, 31, 32, 35, 36, 38, 1000};
    for (int code : withEntry)
        EXPECT_NE(IsFunctionSupported(code), nullptr) << "code " << code;
    for (int code : without)
        EXPECT_EQ(IsFunctionSupported(code), nullptr) << "code " << code;
    auto zero = reinterpret_cast<decltype(&HostReturnZero)>(IsFunctionSupported(34));
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero(), 0);
    EXPECT_EQ(IsFunctionSupported(5), reinterpret_cast<HostEntry>(&LogFindProfile));
    EXPECT_EQ(IsFunctionSupported(20), reinterpret_cast<HostEntry>(&HostCommandLineReport));
}

TEST(HostInterface, SupplyCallbackKeepsOnlyItsSlots) {
    ClearHostCallbacks();
    for (int code : {0, 11, 14, 15, -3}) {
        EXPECT_EQ(SupplyCallback(code, SomeCallback), 0) << "code " << code;
        EXPECT_EQ(GetHostCallback(code), nullptr) << "code " << code;
    }
    for (int code = 1; code <= 13; ++code)
        EXPECT_EQ(GetHostCallback(code), nullptr) << "code " << code;

    EXPECT_EQ(SupplyCallback(10, SomeCallback), 1);
    EXPECT_EQ(SupplyCallback(13, OtherCallback), 1);
    for (int code = 1; code <= 13; ++code) {
        HostCallback expected = code == 10 ? SomeCallback : code == 13 ? OtherCallback : nullptr;
        EXPECT_EQ(GetHostCallback(code), expected) << "code " << code;
    }
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 12})
        EXPECT_EQ(SupplyCallback(code, SomeCallback), 1) << "code " << code;
    ClearHostCallbacks();
}
