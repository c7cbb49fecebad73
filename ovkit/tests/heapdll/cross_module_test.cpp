// Strings made here, changed inside another DLL that links ovkit.dll, and
// destroyed here: every allocation and free happens inside ovkit, so no heap
// of the process is damaged and none keeps a block behind.
#include <gtest/gtest.h>
#include "heapdll.h"
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<HANDLE> ProcessHeaps() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    return heaps;
}

size_t BusyBlocks(HANDLE heap) {
    size_t busy = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            ++busy;
    HeapUnlock(heap);
    return busy;
}

const size_t kMaxHeaps = 64;

// Busy blocks of each heap, written into a fixed array so that counting
// allocates nothing itself.
void Census(const std::vector<HANDLE>& heaps, size_t (&counts)[kMaxHeaps]) {
    for (size_t i = 0; i < kMaxHeaps; ++i)
        counts[i] = i < heaps.size() ? BusyBlocks(heaps[i]) : 0;
}

// Runs the scenario twice (the first run lets the runtimes make their one-off
// blocks), checking that the second leaves every heap valid and as it was.
// The scenario writes its result into a fixed buffer: no test allocation
// falls between the two counts.
void ExpectNoHeapChange(const std::function<void(char*)>& scenario, const char* expected) {
    char result[512] = {};
    scenario(result);
    std::vector<HANDLE> heaps = ProcessHeaps();
    ASSERT_LE(heaps.size(), kMaxHeaps);
    size_t before[kMaxHeaps];
    size_t after[kMaxHeaps];
    Census(heaps, before);
    scenario(result);
    Census(heaps, after);

    EXPECT_STREQ(result, expected);
    // The process's default heap also serves the system's own threads, which
    // may allocate at any moment, so only the other heaps are counted.
    for (size_t i = 0; i < heaps.size(); ++i)
        if (heaps[i] != GetProcessHeap())
            EXPECT_EQ(before[i], after[i]) << "busy blocks of heap " << heaps[i];
    for (HANDLE heap : ProcessHeaps())
        EXPECT_TRUE(HeapValidate(heap, 0, nullptr)) << "heap " << heap;
}

void Keep(char* out, const CString& text) {
    lstrcpynA(out, text, 512);
}

HINSTANCE DllModule() {
    return GetModuleHandleA("ovkit_heapdll.dll");
}

} // namespace

TEST(CrossModuleHeap, StringsChangedInAnotherDllAreFreedCleanly) {
    struct {
        const char* name;
        std::function<void(char*)> scenario;
        const char* expected;
    } cases[] = {
        {"append",
         [](char* out) {
             CString text("made here");
             HeapDll_Append(&text, ", grown there");
             Keep(out, text);
         },
         "made here, grown there"},
        {"reassign",
         [](char* out) {
             CString text("made here");
             HeapDll_Assign(&text, "replaced there");
             text += '!';
             Keep(out, text);
         },
         "replaced there!"},
        {"rebuilt through a DLL-local string",
         [](char* out) {
             CString text("banana");
             HeapDll_Rework(&text);
             Keep(out, text);
         },
         "[bAnAnA]6"},
        {"emptied there, refilled here",
         [](char* out) {
             CString text("made here");
             HeapDll_Empty(&text);
             text += "again";
             Keep(out, text);
         },
         "again"},
        {"copy changed there",
         [](char* out) {
             CString text("one");
             CString copy(text);
             HeapDll_Append(&copy, " two");
             text = copy;
             Keep(out, text);
         },
         "one two"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectNoHeapChange(c.scenario, c.expected);
    }
}

TEST(CrossModuleHeap, StringTableOfAnotherModule) {
    HINSTANCE module = DllModule();
    ASSERT_NE(module, nullptr);
    CString text("count: ");
    text.Format(module, IDS_HEAPDLL_COUNT, 7);
    EXPECT_STREQ(text, "count: n=7");
    text.Format(module, IDS_HEAPDLL_MISSING, 7);
    EXPECT_STREQ(text, "count: n=7");

    EXPECT_EQ(text.LoadStringA(module, IDS_HEAPDLL_COUNT), 1);
    EXPECT_STREQ(text, "n=%d");
    EXPECT_EQ(text.LoadStringA(module, IDS_HEAPDLL_LONG), 1);
    EXPECT_EQ(text.GetLength(), 259);
    EXPECT_EQ(text.LoadStringA(module, IDS_HEAPDLL_MISSING), 0);
    EXPECT_EQ(text.IsEmpty(), 1);
}
