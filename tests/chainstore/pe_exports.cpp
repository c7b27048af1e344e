#include "tests/chainstore/pe_exports.h"

namespace {

class Image {
public:
    explicit Image(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool Has(uint64_t at, uint64_t size) const { return at <= bytes_.size() && size <= bytes_.size() - at; }
    uint16_t U16(uint64_t at) const { return Has(at, 2) ? uint16_t(bytes_[at] | bytes_[at + 1] << 8) : 0; }
    uint32_t U32(uint64_t at) const { return Has(at, 4) ? uint32_t(U16(at) | uint32_t(U16(at + 2)) << 16) : 0; }

    // The file offset of a relative virtual address, through the section table.
    std::optional<uint64_t> Offset(uint32_t rva) const
    {
        for (uint32_t i = 0; i < section_count_; ++i) {
            const uint64_t s = sections_ + uint64_t(i) * 40;
            const uint32_t address = U32(s + 12), raw_size = U32(s + 16), raw = U32(s + 20);
            if (rva >= address && rva - address < raw_size)
                return uint64_t(raw) + (rva - address);
        }
        return std::nullopt;
    }

    std::optional<std::string> Text(uint32_t rva) const
    {
        const auto at = Offset(rva);
        if (!at)
            return std::nullopt;
        std::string text;
        for (uint64_t p = *at; Has(p, 1); ++p) {
            if (bytes_[p] == 0)
                return text;
            text.push_back(char(bytes_[p]));
        }
        return std::nullopt;
    }

    void SetSections(uint64_t at, uint32_t count)
    {
        sections_ = at;
        section_count_ = count;
    }

private:
    const std::vector<uint8_t>& bytes_;
    uint64_t sections_ = 0;
    uint32_t section_count_ = 0;
};

}  // namespace

std::optional<PeExports> ReadPeExports(const std::vector<uint8_t>& file)
{
    Image image(file);
    if (!image.Has(0, 64) || image.U16(0) != 0x5A4D)  // "MZ"
        return std::nullopt;
    const uint64_t pe = image.U32(0x3C);
    if (!image.Has(pe, 24) || image.U32(pe) != 0x00004550)  // "PE\0\0"
        return std::nullopt;
    PeExports result;
    result.machine = image.U16(pe + 4);
    const uint32_t section_count = image.U16(pe + 6);
    const uint64_t optional = pe + 24;
    const uint32_t optional_size = image.U16(pe + 20);
    const uint16_t magic = image.U16(optional);
    const uint64_t directories = optional + (magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0);
    if (directories == optional || !image.Has(optional, optional_size) ||
        directories + 8 > optional + optional_size)
        return std::nullopt;
    const uint64_t sections = optional + optional_size;
    if (!image.Has(sections, uint64_t(section_count) * 40))
        return std::nullopt;
    image.SetSections(sections, section_count);

    const uint32_t export_rva = image.U32(directories);
    const auto exports = image.Offset(export_rva);
    if (!export_rva || !exports || !image.Has(*exports, 40))
        return std::nullopt;
    result.function_count = image.U32(*exports + 20);
    const uint32_t name_count = image.U32(*exports + 24);
    const auto name_table = image.Offset(image.U32(*exports + 32));
    if (name_count && (!name_table || !image.Has(*name_table, uint64_t(name_count) * 4)))
        return std::nullopt;
    for (uint32_t i = 0; i < name_count; ++i) {
        auto name = image.Text(image.U32(*name_table + uint64_t(i) * 4));
        if (!name)
            return std::nullopt;
        result.names.push_back(*name);
    }
    return result;
}
