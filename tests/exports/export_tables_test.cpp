// The export tables of the built DLLs, read as data: every name a caller binds
// by name is exported undecorated and every ordinal a caller binds exists. The
// 32-bit DLLs, the ones users get, are read from the 32-bit build beside this
// one (build/win32/bin, or the folder in OV_WIN32_BIN).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/net_binding.h"
#include "cstctls4.h"
#include "dunzip32.h"
#include "gsw.h"
#include "pe_image.h"

using ovtest::PeImage;

namespace {

const uint16_t kMachineI386 = 0x14C;
const uint16_t kMachineAmd64 = 0x8664;

// The DLLs of the system, as their callers name them.
const char* const kOurDlls[] = {"ovkit.dll",    "ovcore.dll",  "DUNZIP32.dll", "FTP4W32.dll",
                                "GSWDLL32.dll", "VIC32.dll",   "CSTCTLS4.dll", "ovdesk.dll",
                                "Bandolet.dll", "ovbeacon.dll"};

#define FTP_NAME(fn) #fn,
const char* const kFtpNames[] = {NET_FTP_FUNCTIONS(FTP_NAME)};
#undef FTP_NAME

// What callers bind through GetProcAddress.
const struct {
    const char* dll;
    std::vector<std::string> names;
    std::vector<uint32_t> ordinals;
} kBindings[] = {
    {"FTP4W32.dll", {std::begin(kFtpNames), std::end(kFtpNames)}, {}},
    {"DUNZIP32.dll", {DUNZIP_ENTRY_NAME}, {}},
    {"GSWDLL32.dll",
     {},
     {GSW_ORDINAL_OPEN,          GSW_ORDINAL_CLOSE,          GSW_ORDINAL_OPEN_GRAPH,
      GSW_ORDINAL_CLOSE_GRAPH,   GSW_ORDINAL_SERIES_COUNT,   GSW_ORDINAL_PALETTE_SIZE,
      GSW_ORDINAL_GET_BASE_SIZE, GSW_ORDINAL_SET_BASE_SIZE,  GSW_ORDINAL_EXPORT,
      GSW_ORDINAL_ATTACH,        GSW_ORDINAL_DETACH,         GSW_ORDINAL_RESET,
      GSW_ORDINAL_SET_DATA,      GSW_ORDINAL_SET_LABELS,     GSW_ORDINAL_SET_LEGEND,
      GSW_ORDINAL_SET_TITLE,     GSW_ORDINAL_SET_X_TITLE,    GSW_ORDINAL_SET_Y_TITLE,
      GSW_ORDINAL_SET_STYLE,     GSW_ORDINAL_SET_TEXT_STYLE, GSW_ORDINAL_SET_LEGEND_STYLE}},
    {"VIC32.dll",
     {"bmpinfo", "allocimage", "loadbmp", "savegif", "savejpg", "freeimage", "gifinfo", "jpeginfo",
      "loadgif", "loadjpg", "loadgifpalette", "copyimage", "imagetodib", "victowinpal", "viewimage",
      "calchisto", "calchistorgb"},
     {}},
    {"CSTCTLS4.dll", {}, {CSTCTLS4_ORDINAL_REGISTER, CSTCTLS4_ORDINAL_UNREGISTER}},
    {"ovdesk.dll", {"InitializeSupportLibrary", "SupplyCallback", "IsFunctionSupported"}, {}},
    {"ovcore.dll", {"TrimSections"}, {}},
    {"ovkit.dll",
     {"OVKIT_GetBitmapInstance", "OVKIT_GetBitmapResource", "OVKIT_LANGSTRING_MAKEINTRESOURCE",
      "OVKIT_WriteSchedulerLogFile"},
     {}},
    // The host binds the whole toolbar interface by name.
    {"Bandolet.dll",
     {"Bandolet_CreateDefaultBandolet", "Bandolet_CreateSubsetBandolet", "Bandolet_CreateBandolet",
      "Bandolet_DestroyBandolet", "Bandolet_MatchButtons", "Bandolet_EnableButton",
      "Bandolet_SetOptions", "Bandolet_Initmenu", "Bandolet_Command", "Bandolet_Palette",
      "Bandolet_Resize", "Bandolet_ResizeRect", "Bandolet_Focus", "Bandolet_GetToolbarHWND",
      "Bandolet_AddButton", "Bandolet_ChangeButtonText", "Bandolet_SetINIFilename",
      "Bandolet_TipOfTheDay", "Bandolet_ShowSplash"},
     {}},
    // The SNMP service binds the extension agent's entry points by name.
    {"ovbeacon.dll",
     {"SnmpExtensionInit", "SnmpExtensionQuery", "SnmpExtensionTrap", "SnmpExtensionClose"},
     {}},
};

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The 32-bit build's program folder, ending in a separator; empty when absent.
std::string Win32Folder() {
    const char* given = std::getenv("OV_WIN32_BIN");
    std::string folder =
        given && *given ? std::string(given) + "\\" : ProgramFolder() + "..\\..\\win32\\bin\\";
    DWORD attributes = GetFileAttributesA(folder.c_str());
    bool present = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return present ? folder : std::string();
}

bool SameName(const std::string& a, const char* b) {
    return lstrcmpiA(a.c_str(), b) == 0;
}

const char* OurDll(const std::string& name) {
    for (const char* dll : kOurDlls)
        if (SameName(name, dll))
            return dll;
    return nullptr;
}

// Every PE file of a folder (its DLLs and programs), by file name.
std::vector<std::string> PeFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const char* pattern : {"*.dll", "*.exe"}) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            files.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return files;
}

class Win32Build : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = Win32Folder();
        if (folder_.empty())
            GTEST_SKIP() << "no 32-bit build beside this one (build/win32/bin): its export "
                            "tables are not checked";
        for (const char* dll : kOurDlls) {
            SCOPED_TRACE(dll);
            ASSERT_TRUE(images_[dll].Load(folder_ + dll)) << images_[dll].Error();
        }
    }

    std::string folder_;
    std::map<std::string, PeImage> images_;
};

TEST_F(Win32Build, OurDllsAre32BitAndExportOnlyUndecoratedNames) {
    for (const char* dll : kOurDlls) {
        SCOPED_TRACE(dll);
        const PeImage& image = images_[dll];
        EXPECT_EQ(image.Machine(), kMachineI386);
        EXPECT_FALSE(image.Exports().names.empty());
        for (const std::string& name : image.Exports().names)
            EXPECT_EQ(name.find('@'), std::string::npos) << name; // stdcall decoration
    }
}

TEST_F(Win32Build, NamesAndOrdinalsBoundAtRunTimeAreExported) {
    for (const auto& binding : kBindings) {
        SCOPED_TRACE(binding.dll);
        const ovtest::PeExports& exports = images_[binding.dll].Exports();
        for (const std::string& name : binding.names)
            EXPECT_EQ(exports.names.count(name), 1u) << name;
        for (uint32_t ordinal : binding.ordinals)
            EXPECT_EQ(exports.ordinals.count(ordinal), 1u) << ordinal;
    }
}

// The plug-in's imaging wrappers carry the library's names: they stay inside.
TEST_F(Win32Build, ThePluginKeepsItsImagingWrappersInside) {
    const ovtest::PeExports& plugin = images_["ovdesk.dll"].Exports();
    for (const auto& binding : kBindings)
        if (SameName(binding.dll, "VIC32.dll"))
            for (const std::string& name : binding.names)
                EXPECT_EQ(plugin.names.count(name), 0u) << name;
}

// Callers linked against an import library bind by name too: every import of a
// 32-bit module from one of our DLLs must be found in that DLL's exports.
TEST_F(Win32Build, EveryImportFromOurDllsIsExported) {
    std::vector<std::string> files = PeFiles(folder_);
    ASSERT_FALSE(files.empty());
    int checked = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        PeImage module;
        ASSERT_TRUE(module.Load(folder_ + file)) << module.Error();
        for (const ovtest::PeImport& import : module.Imports()) {
            const char* dll = OurDll(import.dll);
            if (!dll)
                continue;
            const ovtest::PeExports& exports = images_[dll].Exports();
            for (const std::string& name : import.names)
                EXPECT_EQ(exports.names.count(name), 1u) << dll << "!" << name;
            for (uint32_t ordinal : import.ordinals)
                EXPECT_EQ(exports.ordinals.count(ordinal), 1u) << dll << " #" << ordinal;
            checked += static_cast<int>(import.names.size() + import.ordinals.size());
        }
    }
    EXPECT_GT(checked, 0) << "no module imports from our DLLs: the tables were not read";
}

// The reader against the loader: on the DLLs beside this program, which this
// program can load, every export the reader lists is one the loader finds.
TEST(PeReader, AgreesWithTheLoader) {
    const uint16_t ownMachine = sizeof(void*) == 8 ? kMachineAmd64 : kMachineI386;
    for (const char* dll : kOurDlls) {
        SCOPED_TRACE(dll);
        std::string path = ProgramFolder() + dll;
        PeImage image;
        ASSERT_TRUE(image.Load(path)) << image.Error();
        EXPECT_EQ(image.Machine(), ownMachine);
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
        ASSERT_NE(module, nullptr) << GetLastError();
        for (const std::string& name : image.Exports().names)
            EXPECT_NE(GetProcAddress(module, name.c_str()), nullptr) << name;
        for (uint32_t ordinal : image.Exports().ordinals)
            EXPECT_NE(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
        EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
        FreeLibrary(module);
    }
    PeImage engine;
    ASSERT_TRUE(engine.Load(ProgramFolder() + "ovcore.dll"));
    bool importsKit = false;
    for (const ovtest::PeImport& import : engine.Imports())
        importsKit = importsKit || (SameName(import.dll, "ovkit.dll") && !import.names.empty());
    EXPECT_TRUE(importsKit);
    PeImage missing;
    EXPECT_FALSE(missing.Load(ProgramFolder() + "no-such.dll"));
}

} // namespace
