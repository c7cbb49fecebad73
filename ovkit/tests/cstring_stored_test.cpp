#include <gtest/gtest.h>
#include "ovkit/cstring.h"
#include "scratch_file.h"
#include <string>

namespace {

// A scratch file opened for reading and writing, with helpers to look at and
// set its bytes.
class StoredForm : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = CreateFileA(scratch_.Path(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override { CloseHandle(file_); }

    std::string Bytes() {
        std::string bytes(GetFileSize(file_, nullptr), '\0');
        DWORD read = 0;
        SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
        ReadFile(file_, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
        SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
        return bytes;
    }
    void SetBytes(const std::string& bytes) {
        DWORD written = 0;
        SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
        WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        SetEndOfFile(file_);
        SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
    }

    ovkittest::ScratchFile scratch_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

} // namespace

TEST_F(StoredForm, SaveWritesLengthWithNulThenBytes) {
    struct {
        const char* name;
        CString text;
        std::string stored;
    } cases[] = {
        {"abc", CString("abc"),
         std::string("\x04\x00"
                     "abc\x00",
                     6)},
        {"null text", CString(), std::string("\x00\x00", 2)},
        {"zero-length text", CString(""), std::string("\x01\x00\x00", 3)},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetBytes("");
        EXPECT_EQ(c.text.Save(file_), 1);
        EXPECT_EQ(Bytes(), c.stored);
        CString back("old");
        EXPECT_EQ(back.Restore(file_), 1);
        EXPECT_STREQ(back, c.text);
    }
}

TEST_F(StoredForm, SaveOfTheLongestTextFitsAndOneMoreWritesNothing) {
    CString longest(std::string(65534, 'L').c_str());
    EXPECT_EQ(longest.Save(file_), 1);
    std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), 65537u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFF");
    CString back;
    EXPECT_EQ(back.Restore(file_), 1);
    EXPECT_EQ(back.GetLength(), 65534);

    SetBytes("");
    CString tooLong(std::string(65535, 'L').c_str());
    EXPECT_EQ(tooLong.Save(file_), 0);
    EXPECT_EQ(Bytes(), "");
}

TEST_F(StoredForm, FailedRestoreLeavesTheStringEmpty) {
    struct {
        const char* name;
        std::string stored;
        int result;
    } cases[] = {
        {"end of file", "", 0},
        {"half a length word", "\x04", 0},
        {"text cut short",
         std::string("\x0A\x00"
                     "abc",
                     5),
         0},
        {"length 0", std::string("\x00\x00", 2), 1},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetBytes(c.stored);
        CString s("previous text");
        EXPECT_EQ(s.Restore(file_), c.result);
        EXPECT_EQ(s.IsEmpty(), 1);
        EXPECT_EQ(s.GetLength(), 0);
    }
}

TEST_F(StoredForm, RestoreTerminatesADamagedRecord) {
    SetBytes(std::string("\x03\x00"
                         "abc",
                         5)); // stored NUL missing
    CString s;
    EXPECT_EQ(s.Restore(file_), 1);
    EXPECT_STREQ(s, "ab");
}
