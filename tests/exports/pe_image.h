// A PE file (.dll or .exe) read as data: its machine, its export table and
// its import table. It never loads the file, so a 32-bit module can be read
// from a 64-bit program.
#pragma once
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace ovtest {

struct PeExports {
    std::set<std::string> names;
    std::set<uint32_t> ordinals; // base + index of every non-empty address slot
};

// The functions a module takes from one DLL through its import table.
struct PeImport {
    std::string dll;
    std::vector<std::string> names;
    std::vector<uint32_t> ordinals;
};

class PeImage {
  public:
    // Reads the file; false (and Error() says why) when it is missing or not
    // a well-formed PE file.
    bool Load(const std::string& path);
    const std::string& Error() const { return error_; }

    uint16_t Machine() const { return machine_; } // 0x14C i386, 0x8664 x86-64
    const PeExports& Exports() const { return exports_; }
    const std::vector<PeImport>& Imports() const { return imports_; }

  private:
    struct Section {
        uint32_t rva, size, offset;
    };

    bool Fail(const std::string& why);
    // A little-endian value of the file at offset; false past its end.
    template <typename T> bool Read(size_t offset, T* value) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T))
            return false;
        std::memcpy(value, &bytes_[offset], sizeof(T));
        return true;
    }
    bool Read32(size_t offset, uint32_t* value) const { return Read(offset, value); }
    bool Read16(size_t offset, uint16_t* value) const { return Read(offset, value); }
    bool Offset(uint32_t rva, size_t* offset) const;
    bool Text(uint32_t rva, std::string* text) const;
    bool ReadHeaders(uint32_t* exportRva, uint32_t* importRva);
    bool ReadExports(uint32_t rva);
    bool ReadImports(uint32_t rva);
    bool ReadThunks(uint32_t rva, PeImport* import);

    std::vector<uint8_t> bytes_;
    std::vector<Section> sections_;
    bool wide_ = false; // PE32+: 64-bit thunks
    uint16_t machine_ = 0;
    PeExports exports_;
    std::vector<PeImport> imports_;
    std::string error_;
};

} // namespace ovtest
