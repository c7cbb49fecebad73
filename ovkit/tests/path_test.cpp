#include <gtest/gtest.h>
#include "ovkit/pathutil.h"
#include <cstring>
#include <string>

namespace {

// A MAX_PATH output with a guard zone behind it, to catch writes past 260 bytes.
struct GuardedPath {
    char bytes[MAX_PATH + 64];
    GuardedPath() { std::memset(bytes, '#', sizeof bytes); }
    char* out() { return bytes; }
    bool Intact() const {
        for (size_t i = MAX_PATH; i < sizeof bytes; ++i)
            if (bytes[i] != '#')
                return false;
        return std::memchr(bytes, '\0', MAX_PATH) != nullptr;
    }
};

struct SplitCase {
    const char* path;
    const char* directory;
    const char* filename;
};

TEST(PathSplit, IsolateDirectoryAndFilename) {
    const SplitCase cases[] = {
        {"c:\\logs\\a.log", "c:\\logs\\", "a.log"},
        {"c:a.log", "c:", "a.log"},
        {"a.log", "", "a.log"},
        {"/var/log/x.log", "/var/log/", "x.log"},
        {"c:\\logs\\", "c:\\logs\\", ""},
        {"", "", ""},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.path);
        char out[MAX_PATH];
        OVKIT_IsolateDirectory(c.path, out);
        EXPECT_STREQ(out, c.directory);
        OVKIT_IsolateFilename(c.path, out);
        EXPECT_STREQ(out, c.filename);
    }
}

TEST(PathSplit, IsolateInPlace) {
    char buf[MAX_PATH] = "c:\\logs\\a.log";
    OVKIT_IsolateFilename(buf, buf);
    EXPECT_STREQ(buf, "a.log");
    std::strcpy(buf, "c:\\logs\\a.log");
    OVKIT_IsolateDirectory(buf, buf);
    EXPECT_STREQ(buf, "c:\\logs\\");
}

struct ParseCase {
    const char* path;
    const char* drive;
    const char* dir;
    const char* fname;
    const char* ext;
};

TEST(PathSplit, ParsePath) {
    const ParseCase cases[] = {
        {"c:\\logs\\access.log", "c:", "\\logs\\", "access", "log"},
        {"c:a.b.txt", "c:", "", "a.b", "txt"},
        {"/dir.x/name", "", "/dir.x/", "name", ""},
        {"\\\\srv\\share\\ex.", "", "\\\\srv\\share\\", "ex", ""},
        {"", "", "", "", ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.path);
        char drive[3], dir[MAX_PATH], fname[MAX_PATH], ext[MAX_PATH];
        OVKIT_ParsePath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive);
        EXPECT_STREQ(dir, c.dir);
        EXPECT_STREQ(fname, c.fname);
        EXPECT_STREQ(ext, c.ext);
    }
    char ext[MAX_PATH];
    OVKIT_ParsePath("c:\\x\\y.htm", nullptr, nullptr, nullptr, ext); // null outputs skipped
    EXPECT_STREQ(ext, "htm");
}

TEST(PathJoin, ConstructFullFilename) {
    const struct {
        const char* folder;
        const char* name;
        const char* full;
    } cases[] = {
        {"c:\\logs", "a.log", "c:\\logs\\a.log"},
        {"c:\\logs\\", "a.log", "c:\\logs\\a.log"},
        {"c:/logs/", "a.log", "c:/logs/a.log"},
        {"", "a.log", "a.log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        char out[MAX_PATH];
        EXPECT_EQ(OVKIT_ConstructFullFilename(c.folder, c.name, out), out);
        EXPECT_STREQ(out, c.full);
    }
    char same[MAX_PATH] = "c:\\logs";
    OVKIT_ConstructFullFilename(same, "a.log", same); // folder buffer reused as output
    EXPECT_STREQ(same, "c:\\logs\\a.log");
}

TEST(PathEnds, SlashHelpers) {
    const struct {
        const char* text;
        BOOL slashAdded;
        const char* withSlash;
        BOOL backslashAdded;
        const char* withBackslash;
        BOOL stripped;
        const char* withoutSlash;
    } cases[] = {
        {"c:\\logs", 1, "c:\\logs/", 1, "c:\\logs\\", 0, "c:\\logs"},
        {"c:\\logs\\", 0, "c:\\logs\\", 0, "c:\\logs\\", 1, "c:\\logs"},
        {"http://h/", 0, "http://h/", 0, "http://h/", 1, "http://h"},
        {"", 0, "", 0, "", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char buf[MAX_PATH];
        std::strcpy(buf, c.text);
        EXPECT_EQ(OVKIT_EnsureEndSlash(buf), c.slashAdded);
        EXPECT_STREQ(buf, c.withSlash);
        std::strcpy(buf, c.text);
        EXPECT_EQ(OVKIT_EnsureEndBackslash(buf), c.backslashAdded);
        EXPECT_STREQ(buf, c.withBackslash);
        std::strcpy(buf, c.text);
        EXPECT_EQ(OVKIT_StripEndSlash(buf), c.stripped);
        EXPECT_STREQ(buf, c.withoutSlash);
    }
    EXPECT_FALSE(OVKIT_EnsureEndSlash(nullptr));
    EXPECT_FALSE(OVKIT_StripEndSlash(nullptr));

    char buf[MAX_PATH] = "c:/logs/";
    OVKIT_AppendBackslash(buf); // a trailing slash does not count here
    EXPECT_STREQ(buf, "c:/logs/\\");
    OVKIT_AppendBackslash(buf);
    EXPECT_STREQ(buf, "c:/logs/\\");
}

TEST(PathEnds, FullBufferGetsNoSeparator) {
    GuardedPath g;
    std::memset(g.out(), 'a', MAX_PATH - 2);
    g.out()[MAX_PATH - 2] = '\0'; // 258 characters: one more still fits
    EXPECT_TRUE(OVKIT_EnsureEndSlash(g.out()));
    EXPECT_EQ(std::strlen(g.out()), size_t(MAX_PATH - 1));
    g.out()[MAX_PATH - 2] = 'a';
    g.out()[MAX_PATH - 1] = '\0'; // 259 characters: nothing more fits
    EXPECT_FALSE(OVKIT_EnsureEndBackslash(g.out()));
    EXPECT_TRUE(g.Intact());
}

TEST(PathCompare, Stricmpf) {
    EXPECT_EQ(OVKIT_stricmpf("C:\\Logs\\A.LOG", "c:/logs/a.log"), 0);
    EXPECT_LT(OVKIT_stricmpf("c:/logs/a", "c:/logs/b"), 0);
    EXPECT_GT(OVKIT_stricmpf("c:/logs/ab", "c:/logs/a"), 0);
    EXPECT_LT(OVKIT_stricmpf("c:/logs/a", "c:/logs/ab"), 0); // the end of a is no match
}

TEST(PathMisc, StripExtensionAndFindSlash) {
    char buf[MAX_PATH] = "c:\\my.dir\\file";
    EXPECT_EQ(OVKIT_StripExtension(buf), buf + 5); // cuts at the folder's dot
    EXPECT_STREQ(buf, "c:\\my");
    std::strcpy(buf, "noext");
    EXPECT_EQ(OVKIT_StripExtension(buf), nullptr);
    EXPECT_STREQ(buf, "noext");

    const char* text = "host/a\\b";
    EXPECT_EQ(FindSlashOrBackSlash(text), text + 4);
    const char* mixed = "a\\b/c";
    EXPECT_EQ(FindSlashOrBackSlash(mixed), mixed + 1);
    EXPECT_EQ(FindSlashOrBackSlash("plain"), nullptr);
}

// Guards results cut to 259 characters, which named another, valid-looking file.
TEST(PathLong, ResultsThatDoNotFitFailEmpty) {
    std::string folder = "c:\\" + std::string(300, 'd') + "\\";
    std::string path = folder + std::string(300, 'f') + ".log";
    {
        GuardedPath g;
        EXPECT_FALSE(OVKIT_IsolateDirectory(path.c_str(), g.out()));
        EXPECT_TRUE(g.Intact());
        EXPECT_STREQ(g.out(), "");
    }
    {
        GuardedPath g;
        EXPECT_FALSE(OVKIT_IsolateFilename(path.c_str(), g.out()));
        EXPECT_TRUE(g.Intact());
        EXPECT_STREQ(g.out(), "");
    }
    {
        GuardedPath d, f, e;
        char drive[3 + 16];
        std::memset(drive, '#', sizeof drive);
        EXPECT_FALSE(OVKIT_ParsePath(path.c_str(), drive, d.out(), f.out(), e.out()));
        EXPECT_TRUE(d.Intact() && f.Intact() && e.Intact());
        EXPECT_EQ(drive[3], '#');
        for (const char* part : {drive, d.out(), f.out(), e.out()})
            EXPECT_STREQ(part, "");
    }
}

// Guards a 253-character folder and "access.log" joined as "...\acces".
TEST(PathLong, JoinFailsRatherThanCuts) {
    const struct {
        size_t folderLength;
        const char* ending; // added to the folder of 'd's
        const char* name;
        bool fits;
    } cases[] = {
        {248, "", "access.log", true},   // 248 + '\' + 10 = 259
        {249, "", "access.log", false},  // 260
        {253, "", "access.log", false},  // the reported case
        {248, "\\", "access.log", true}, // the folder's own separator
        {258, "", "", true},             // folder and separator only
        {259, "", "", false},            // no room left for the separator
    };
    for (const auto& c : cases) {
        std::string folder = std::string(c.folderLength, 'd') + c.ending;
        SCOPED_TRACE(std::to_string(c.folderLength) + c.ending + " + " + c.name);
        GuardedPath g;
        std::memset(g.out(), 'x', 8);
        char* result = OVKIT_ConstructFullFilename(folder.c_str(), c.name, g.out());
        EXPECT_TRUE(g.Intact());
        if (c.fits) {
            EXPECT_EQ(result, g.out());
            std::string joined = std::string(c.folderLength, 'd') + "\\" + c.name;
            EXPECT_EQ(std::string(g.out()), joined);
        } else {
            EXPECT_EQ(result, nullptr);
            EXPECT_STREQ(g.out(), "");
        }
    }
}

TEST(PathLocal, LocalDirectoryIsThisModulesFolder) {
    char expected[MAX_PATH];
    GetModuleFileNameA(nullptr, expected, MAX_PATH); // ovkit is linked into the test program
    *(std::strrchr(expected, '\\') + 1) = '\0';
    GuardedPath g;
    OVKIT_GetLocalDirectory(nullptr, g.out());
    EXPECT_STREQ(g.out(), expected);
    EXPECT_TRUE(g.Intact());
}

} // namespace
