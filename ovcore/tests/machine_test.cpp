// The local machine's addresses.
#include <gtest/gtest.h>

#include <string>

#include "core/engine_state.h"
#include "core/net_binding.h"
#include "ovcore/ovcore.h"

namespace {

TEST(MachineTest, WithoutWinsockNothingIsWritten) {
    Engine_ResetLibraryState();
    char buffer[2 * ORB_IPADDRESS_ENTRY];
    memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(GetMachineIPAddresses(buffer, 2), 0);
    EXPECT_EQ(buffer[0], 'x');
}

TEST(MachineTest, AddressesAreDottedAndBoundedByTheMaximum) {
    Engine_ResetLibraryState();
    ASSERT_EQ(NetBinding_Bind(), 1);
    char buffer[3 * ORB_IPADDRESS_ENTRY + 1];
    memset(buffer, 'x', sizeof(buffer));
    int count = GetMachineIPAddresses(buffer, 2);
    EXPECT_GE(count, 0);
    EXPECT_LE(count, 2);
    for (int i = 0; i < count; ++i) {
        const char* entry = buffer + i * ORB_IPADDRESS_ENTRY;
        SCOPED_TRACE(entry);
        EXPECT_NE(inet_addr(entry), INADDR_NONE);
    }
    EXPECT_EQ(buffer[2 * ORB_IPADDRESS_ENTRY], 'x'); // the third entry stays untouched
    NetBinding_Unbind();
}

} // namespace
