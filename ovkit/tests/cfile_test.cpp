#include <gtest/gtest.h>
#include "ovkit/cfile.h"
#include "debug_output_capture.h"
#include "scratch_file.h"
#include <string>

using ovkittest::ScratchFile;

namespace {

const DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;

int OpenForUpdate(CFile& file, const char* path) {
    return file.Open(path, kReadWrite, FILE_SHARE_READ, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
}

std::string ReadAll(CFile& file) {
    std::string bytes(file.GetLength(), '\0');
    file.Seek(0, FILE_BEGIN);
    bytes.resize(file.Read(&bytes[0], static_cast<unsigned int>(bytes.size())));
    return bytes;
}

} // namespace

TEST(CFileOpen, RefusesEmptyNamesAndClosesTheFirstFileOnReopen) {
    ScratchFile a, b;
    CFile file;
    EXPECT_EQ(file.Open("", kReadWrite, 0, OPEN_ALWAYS, 0), 0);
    EXPECT_EQ(file.Open(nullptr, kReadWrite, 0, OPEN_ALWAYS, 0), 0);
    EXPECT_STREQ(file.GetFileName(), "");

    ASSERT_EQ(OpenForUpdate(file, a.Path()), 1);
    EXPECT_STREQ(file.GetFileName(), a.Path());
    ASSERT_EQ(OpenForUpdate(file, b.Path()), 1);
    // Opened without sharing for writing: only a closed file can be opened so.
    HANDLE again = CreateFileA(a.Path(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);

    std::string missing = std::string(a.Path()) + ".missing\\x.dat";
    EXPECT_EQ(file.Open(missing.c_str(), GENERIC_READ, 0, OPEN_EXISTING, 0), 0);
    EXPECT_STREQ(file.GetFileName(), "");
    file.Close();
    file.Close();
}

// Guards reopening by the file's own name, which Close() used to free first.
TEST(CFileOpen, ReopensByItsOwnName) {
    ScratchFile scratch;
    CFile file;
    for (DWORD disposition : {DWORD(CREATE_ALWAYS), DWORD(OPEN_EXISTING)}) {
        SCOPED_TRACE(disposition);
        ASSERT_EQ(file.Open(scratch.Path(), GENERIC_WRITE, 0, CREATE_ALWAYS, 0), 1);
        file << "older";
        ASSERT_EQ(file.Open(file.GetFileName(), GENERIC_WRITE, 0, disposition, 0), 1);
        EXPECT_STREQ(file.GetFileName(), scratch.Path());
        file << "new!";
        EXPECT_EQ(file.GetLength(), disposition == CREATE_ALWAYS ? 4u : 5u);
        file.Close();
    }
}

TEST(CFileIo, WritesReadsSeeksAndTruncates) {
    ScratchFile scratch;
    CFile file;
    ASSERT_EQ(OpenForUpdate(file, scratch.Path()), 1);
    EXPECT_EQ(file.Write("hello world", 11), 11u);
    file << " and more" << static_cast<const char*>(nullptr);
    CString tail("!");
    file << tail;
    file.Flush();
    EXPECT_EQ(file.GetLength(), 21u);
    EXPECT_EQ(file.GetPosition(), 21u);
    EXPECT_EQ(ReadAll(file), "hello world and more!");

    EXPECT_EQ(file.Seek(6, FILE_BEGIN), 6);
    char word[5] = {};
    EXPECT_EQ(file.Read(word, 5), 5u);
    EXPECT_EQ(std::string(word, 5), "world");
    EXPECT_EQ(file.Seek(-4, FILE_END), 17);

    EXPECT_EQ(file.Read(nullptr, 5), 0u);
    EXPECT_EQ(file.Write(nullptr, 5), 0u);

    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_EQ(file.GetPosition(), 5u);
    file.SetLength(0);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);

    FILETIME written = {};
    EXPECT_NE(file.GetTime(nullptr, nullptr, &written), 0);
    EXPECT_TRUE(written.dwHighDateTime != 0 || written.dwLowDateTime != 0);
}

TEST(CFileIo, LineReadingAppendsEachLineWithItsLineFeed) {
    ScratchFile scratch;
    CFile file;
    ASSERT_EQ(OpenForUpdate(file, scratch.Path()), 1);
    std::string longLine(700, 'z');
    std::string content = "ab\r\ncd\n" + longLine + "\nlast";
    content += '\0';
    content += "x";
    file.Write(content.data(), static_cast<unsigned int>(content.size()));
    file.Seek(0, FILE_BEGIN);

    CString line("kept:");
    file >> line;
    EXPECT_STREQ(line, "kept:ab\r\n");
    std::string longExpected = longLine + "\n";
    const char* expected[] = {"cd\n", longExpected.c_str(), "lastx", ""};
    for (const char* want : expected) {
        SCOPED_TRACE(want);
        line.Empty();
        file >> line;
        EXPECT_STREQ(line, want);
    }
}

TEST(CFileIo, ClosedFileAssertsAndFails) {
    ovkittest::DebugOutputCapture debug;
    CFile file;
    char byte = 0;
    EXPECT_EQ(file.Read(&byte, 1), 0u);
    EXPECT_EQ(file.Write("x", 1), 0u);
    EXPECT_EQ(file.Seek(0, FILE_BEGIN), -1);
    EXPECT_TRUE(debug.Saw("m_hFile != INVALID_HANDLE_VALUE"));
}

TEST(CFileCopies, EachCopyHoldsItsOwnHandle) {
    ScratchFile scratch;
    CFile* copy = nullptr;
    {
        CFile file;
        ASSERT_EQ(OpenForUpdate(file, scratch.Path()), 1);
        file << "abc";
        copy = new CFile(file);
        CFile assigned;
        assigned = file;
        EXPECT_STREQ(assigned.GetFileName(), scratch.Path());
        // Copies share the open file, position included.
        EXPECT_EQ(assigned.GetPosition(), 3u);
    }
    // The original and the assigned copy are closed; this copy still works.
    EXPECT_STREQ(copy->GetFileName(), scratch.Path());
    *copy << "def";
    EXPECT_EQ(ReadAll(*copy), "abcdef");
    delete copy;

    CFile closed;
    CFile closedCopy(closed);
    EXPECT_STREQ(closedCopy.GetFileName(), "");
}

TEST(CFileStatics, RenameRemoveAndAttributes) {
    ScratchFile from;
    std::string to = std::string(from.Path()) + ".renamed";
    EXPECT_EQ(CFile::Rename(from.Path(), ""), 0);
    EXPECT_EQ(CFile::Rename(nullptr, to.c_str()), 0);
    EXPECT_EQ(CFile::Remove(""), 0);
    EXPECT_EQ(CFile::GetAttributes(nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(CFile::SetAttributes("", FILE_ATTRIBUTE_NORMAL), 0);

    EXPECT_EQ(CFile::SetAttributes(from.Path(), FILE_ATTRIBUTE_READONLY), 1);
    EXPECT_NE(CFile::GetAttributes(from.Path()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(CFile::SetAttributes(from.Path(), FILE_ATTRIBUTE_NORMAL), 1);
    ASSERT_EQ(CFile::Rename(from.Path(), to.c_str()), 1);
    EXPECT_EQ(CFile::GetAttributes(from.Path()), 0xFFFFFFFFu);
    EXPECT_EQ(CFile::Remove(to.c_str()), 1);
    EXPECT_EQ(CFile::Remove(to.c_str()), 0);
}
