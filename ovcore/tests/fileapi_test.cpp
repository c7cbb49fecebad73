// The thin file helpers: 64-bit size and seek, existence.
#include <gtest/gtest.h>

#include "ovcore/ovcore.h"
#include "temp_install.h"

namespace {

TEST(FileApi, SizeSeekAndExistence) {
    ovtest::TempInstall install;
    std::string path = install.Path("five.bin");
    ASSERT_TRUE(ovtest::WriteFileBytes(path, "12345"));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileSize64(file), 5u);
    EXPECT_EQ(FileSeek64(file, 0, FILE_END), 5u);
    EXPECT_EQ(FileSeek64(file, -2, FILE_CURRENT), 3u);
    EXPECT_EQ(FileSeek64(file, 2, FILE_BEGIN), 2u);
    // Positions past 4 GB need no data there.
    EXPECT_EQ(FileSeek64(file, 5000000000LL, FILE_BEGIN), 5000000000ULL);
    EXPECT_EQ(FileSeek64(file, -1, FILE_BEGIN), FILEAPI_FAILED);
    CloseHandle(file);
    EXPECT_EQ(FileSize64(INVALID_HANDLE_VALUE), FILEAPI_FAILED);
    EXPECT_EQ(FileSeek64(INVALID_HANDLE_VALUE, 0, FILE_BEGIN), FILEAPI_FAILED);

    EXPECT_TRUE(FileExists(path.c_str()));
    EXPECT_TRUE(FileExists(install.Data().c_str()));
    EXPECT_FALSE(FileExists(install.Path("none.bin").c_str()));
    EXPECT_FALSE(FileExists(nullptr));
}

} // namespace
