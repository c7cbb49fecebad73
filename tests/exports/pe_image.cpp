#include "pe_image.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace ovtest {

namespace {

const uint32_t kPeSignature = 0x00004550; // "PE\0\0"
const uint16_t kMagicPe32 = 0x10B;
const uint16_t kMagicPe32Plus = 0x20B;
const size_t kSectionHeaderSize = 40;
const size_t kImportDescriptorSize = 20;
const size_t kMaxEntries = 1 << 16; // no module of ours comes near

} // namespace

bool PeImage::Fail(const std::string& why) {
    error_ = why;
    return false;
}

// File offset of a relative virtual address, through the section that holds it.
bool PeImage::Offset(uint32_t rva, size_t* offset) const {
    for (const Section& s : sections_) {
        if (rva >= s.rva && rva - s.rva < s.size) {
            *offset = size_t(s.offset) + (rva - s.rva);
            return *offset < bytes_.size();
        }
    }
    return false;
}

bool PeImage::Text(uint32_t rva, std::string* text) const {
    size_t at;
    if (!Offset(rva, &at))
        return false;
    const void* end = std::memchr(&bytes_[at], 0, bytes_.size() - at);
    if (!end)
        return false;
    text->assign(reinterpret_cast<const char*>(&bytes_[at]), static_cast<const char*>(end));
    return true;
}

bool PeImage::ReadHeaders(uint32_t* exportRva, uint32_t* importRva) {
    uint32_t pe, signature;
    if (!Read32(0x3C, &pe) || !Read32(pe, &signature) || signature != kPeSignature)
        return Fail("no PE signature");
    size_t coff = size_t(pe) + 4;
    uint16_t sectionCount, optionalSize, magic;
    if (!Read16(coff, &machine_) || !Read16(coff + 2, &sectionCount) ||
        !Read16(coff + 16, &optionalSize))
        return Fail("short file header");
    size_t optional = coff + 20;
    if (!Read16(optional, &magic) || (magic != kMagicPe32 && magic != kMagicPe32Plus))
        return Fail("unknown optional header");
    wide_ = magic == kMagicPe32Plus;
    size_t directories = optional + (wide_ ? 112 : 96);
    uint32_t directoryCount;
    if (!Read32(directories - 4, &directoryCount))
        return Fail("short optional header");
    *exportRva = *importRva = 0;
    if (directoryCount > 0 && !Read32(directories, exportRva))
        return Fail("short data directories");
    if (directoryCount > 1 && !Read32(directories + 8, importRva))
        return Fail("short data directories");
    size_t table = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        size_t at = table + i * kSectionHeaderSize;
        uint32_t virtualSize, rva, rawSize, rawOffset;
        if (!Read32(at + 8, &virtualSize) || !Read32(at + 12, &rva) || !Read32(at + 16, &rawSize) ||
            !Read32(at + 20, &rawOffset))
            return Fail("short section table");
        sections_.push_back({rva, rawSize < virtualSize ? rawSize : virtualSize, rawOffset});
    }
    return true;
}

bool PeImage::ReadExports(uint32_t rva) {
    size_t at;
    uint32_t base, functionCount, nameCount, functions, names, nameOrdinals;
    if (!Offset(rva, &at) || !Read32(at + 16, &base) || !Read32(at + 20, &functionCount) ||
        !Read32(at + 24, &nameCount) || !Read32(at + 28, &functions) || !Read32(at + 32, &names) ||
        !Read32(at + 36, &nameOrdinals))
        return Fail("damaged export directory");
    if (functionCount > kMaxEntries || nameCount > kMaxEntries)
        return Fail("export table too large");
    size_t functionTable, nameTable, ordinalTable;
    if (functionCount && !Offset(functions, &functionTable))
        return Fail("export addresses outside the file");
    for (uint32_t i = 0; i < functionCount; ++i) {
        uint32_t address;
        if (!Read32(functionTable + 4 * i, &address))
            return Fail("short export address table");
        if (address)
            exports_.ordinals.insert(base + i);
    }
    if (nameCount && (!Offset(names, &nameTable) || !Offset(nameOrdinals, &ordinalTable)))
        return Fail("export names outside the file");
    for (uint32_t i = 0; i < nameCount; ++i) {
        uint32_t nameRva;
        uint16_t index;
        std::string name;
        if (!Read32(nameTable + 4 * i, &nameRva) || !Read16(ordinalTable + 2 * i, &index) ||
            !Text(nameRva, &name))
            return Fail("damaged export name");
        if (index >= functionCount)
            return Fail("export name without a function: " + name);
        exports_.names.insert(name);
    }
    return true;
}

bool PeImage::ReadThunks(uint32_t rva, PeImport* import) {
    size_t at;
    if (!Offset(rva, &at))
        return Fail("import thunks outside the file");
    const size_t step = wide_ ? 8 : 4;
    const uint64_t byOrdinal = wide_ ? (uint64_t(1) << 63) : 0x80000000u;
    for (size_t i = 0; i < kMaxEntries; ++i, at += step) {
        uint64_t thunk = 0;
        uint32_t narrow;
        if (wide_ ? !Read(at, &thunk) : !Read32(at, &narrow))
            return Fail("short import thunks");
        if (!wide_)
            thunk = narrow;
        if (thunk == 0)
            return true;
        if (thunk & byOrdinal) {
            import->ordinals.push_back(uint32_t(thunk & 0xFFFF));
            continue;
        }
        std::string name;
        if (!Text(uint32_t(thunk) + 2, &name)) // behind the two-byte hint
            return Fail("damaged import name in " + import->dll);
        import->names.push_back(name);
    }
    return Fail("import thunks without an end");
}

bool PeImage::ReadImports(uint32_t rva) {
    size_t at;
    if (!Offset(rva, &at))
        return Fail("import directory outside the file");
    for (size_t i = 0; i < kMaxEntries; ++i, at += kImportDescriptorSize) {
        uint32_t lookup, name, thunks;
        if (!Read32(at, &lookup) || !Read32(at + 12, &name) || !Read32(at + 16, &thunks))
            return Fail("short import directory");
        if (name == 0)
            return true;
        PeImport import;
        if (!Text(name, &import.dll))
            return Fail("damaged import module name");
        if (!ReadThunks(lookup ? lookup : thunks, &import))
            return false;
        imports_.push_back(import);
    }
    return Fail("import directory without an end");
}

bool PeImage::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Fail("cannot open " + path);
    bytes_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    uint32_t exportRva, importRva;
    if (!ReadHeaders(&exportRva, &importRva))
        return false;
    if (exportRva && !ReadExports(exportRva))
        return false;
    return !importRva || ReadImports(importRva);
}

} // namespace ovtest
