#include <gtest/gtest.h>
#include "ovkit/memory.h"
#include "msgbox_watcher.h"
#include <string>

using ovtest::MsgBoxWatcher;

namespace {

// Far beyond any address space: the allocation fails at once.
const SIZE_T kAbsurdSize = ~static_cast<SIZE_T>(0) - 4096;

void ExpectOneBox(const MsgBoxWatcher& watcher, const char* text) {
    ASSERT_TRUE(watcher.WaitFor(1));
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Ostrevane User Interface DLL");
    EXPECT_EQ(seen[0].text, text);
}

bool AllZero(const void* block, SIZE_T n) {
    const BYTE* bytes = static_cast<const BYTE*>(block);
    for (SIZE_T i = 0; i < n; ++i)
        if (bytes[i])
            return false;
    return true;
}

} // namespace

TEST(HeapBlocks, AllocateZeroedResizeKeepingContentsAndFree) {
    MsgBoxWatcher watcher;
    char* block = static_cast<char*>(OVKIT_MyAlloc(100));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(AllZero(block, 100));
    strcpy(block, "kept");
    block = static_cast<char*>(OVKIT_MyRealloc(block, 100000));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "kept");
    void* zero = OVKIT_MyAlloc(0);
    EXPECT_NE(zero, nullptr);
    OVKIT_MyFree(zero);
    OVKIT_MyFree(nullptr);

    void* variable = block;
    EXPECT_EQ(OVKIT_MyFree2(&variable), &variable);
    EXPECT_EQ(variable, nullptr);
    EXPECT_EQ(OVKIT_MyFree2(&variable), &variable);
    EXPECT_EQ(variable, nullptr);
    EXPECT_EQ(watcher.Count(), 0u);
}

TEST(HeapBlocks, FailuresAreShownAndReturnNull) {
    {
        MsgBoxWatcher watcher;
        EXPECT_EQ(OVKIT_MyAlloc(kAbsurdSize), nullptr);
        ExpectOneBox(watcher, "Unable to allocate memory.");
    }
    {
        MsgBoxWatcher watcher;
        char* block = static_cast<char*>(OVKIT_MyAlloc(8));
        strcpy(block, "old");
        EXPECT_EQ(OVKIT_MyRealloc(block, kAbsurdSize), nullptr);
        ExpectOneBox(watcher, "Unable to re-allocate memory.");
        EXPECT_STREQ(block, "old"); // the old block stays valid
        OVKIT_MyFree(block);
    }
}

TEST(GlobalBlocks, AllocAddsAZeroedMarginAndReAllocKeepsContents) {
    MsgBoxWatcher watcher;
    HGLOBAL handle = nullptr;
    void* data = OVKIT_AllocAndLock(&handle, 0);
    ASSERT_NE(data, nullptr);
    ASSERT_NE(handle, nullptr);
    EXPECT_GE(GlobalSize(handle), 63u);
    EXPECT_TRUE(AllZero(data, 63));
    strcpy(static_cast<char*>(data), "list");

    data = OVKIT_UnlockAndReAlloc(&handle, 5000);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<char*>(data), "list");
    EXPECT_TRUE(AllZero(static_cast<char*>(data) + 63, 5000 - 63));

    OVKIT_UnlockAndFree(&handle);
    EXPECT_EQ(handle, nullptr);
    OVKIT_UnlockAndFree(&handle);
    EXPECT_EQ(watcher.Count(), 0u);
}

struct GlobalFailure {
    const char* name;
    void (*run)();
    const char* text;
};

TEST(GlobalBlocks, FailuresAreShownWithTheirOwnTexts) {
    const GlobalFailure cases[] = {
        {"absurd allocation",
         [] {
             HGLOBAL handle = reinterpret_cast<HGLOBAL>(1);
             EXPECT_EQ(OVKIT_AllocAndLock(&handle, kAbsurdSize), nullptr);
             EXPECT_EQ(handle, reinterpret_cast<HGLOBAL>(1)); // untouched
         },
         "Unable to allocate memory."},
        {"margin would wrap",
         [] {
             HGLOBAL handle = nullptr;
             EXPECT_EQ(OVKIT_AllocAndLock(&handle, ~static_cast<SIZE_T>(0)), nullptr);
         },
         "Unable to allocate memory."},
        {"free of a block locked twice",
         [] {
             HGLOBAL handle = nullptr;
             ASSERT_NE(OVKIT_AllocAndLock(&handle, 10), nullptr);
             HGLOBAL kept = handle;
             GlobalLock(kept);
             OVKIT_UnlockAndFree(&handle);
             EXPECT_EQ(handle, nullptr);
             GlobalUnlock(kept);
             GlobalFree(kept);
         },
         "Unable to unlock memory."},
        {"realloc of nothing",
         [] {
             HGLOBAL handle = nullptr;
             EXPECT_EQ(OVKIT_UnlockAndReAlloc(&handle, 10), nullptr);
         },
         "Unable to lock memory."},
        {"absurd realloc",
         [] {
             HGLOBAL handle = nullptr;
             ASSERT_NE(OVKIT_AllocAndLock(&handle, 10), nullptr);
             HGLOBAL kept = handle;
             EXPECT_EQ(OVKIT_UnlockAndReAlloc(&handle, kAbsurdSize), nullptr);
             EXPECT_EQ(handle, kept); // the old block, now unlocked
             EXPECT_EQ(GlobalFlags(kept) & GMEM_LOCKCOUNT, 0u);
             GlobalFree(kept);
         },
         "Unable to reallocate memory."},
    };
    for (const GlobalFailure& c : cases) {
        SCOPED_TRACE(c.name);
        MsgBoxWatcher watcher;
        c.run();
        ExpectOneBox(watcher, c.text);
    }
}
