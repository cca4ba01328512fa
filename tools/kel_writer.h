// Writes kel files from readable values, for the bundled samples, the tests,
// the benchmark and the fuzz seeds. The byte layout, all little-endian:
//   version u32, count1 u32, 3 header floats, count2 u32,
//   count2 records: name (u32 length + bytes), Zero u32, text (u32 length +
//                   bytes), 3 floats,
//   first Some value u32, entry count u32, entries of 4 u32,
//   block header text (u32 length + bytes), word 1 u32, word 2 u32,
//   block count u32, first block: 11 floats + 2 u32,
//   every further block: 12 floats + 2 u32.
#ifndef KEL_WRITER_H
#define KEL_WRITER_H

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// Raw field encoding, for complete files and for cut or hostile ones alike.
struct KelBytes {
    std::string bytes;

    KelBytes& u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes += char(v >> (8 * i) & 0xFF);
        return *this;
    }
    KelBytes& f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    KelBytes& str(const std::string& s) {  // length-prefixed string
        u32(uint32_t(s.size()));
        return raw(s);
    }
    KelBytes& raw(const std::string& s) {
        bytes += s;
        return *this;
    }
};

struct KelRecord {
    std::string name;
    uint32_t zero = 0;
    std::string text;
    std::array<float, 3> floats{};
};

struct KelBlock {
    std::vector<float> floats;  // 11 in the first block, 12 in every further one
    uint32_t int1 = 0, int2 = 0;
};

struct KelFile {
    uint32_t version = 1, count1 = 0;
    std::array<float, 3> header{};
    std::vector<KelRecord> records;
    uint32_t some = 0;
    std::vector<std::array<uint32_t, 4>> entries;
    std::string block_text;
    uint32_t word1 = 0, word2 = 0;
    std::vector<KelBlock> blocks;  // at least the first
};

inline std::string encode(const KelFile& k) {
    KelBytes w;
    w.u32(k.version).u32(k.count1);
    for (float f : k.header) w.f32(f);
    w.u32(uint32_t(k.records.size()));
    for (const KelRecord& r : k.records) {
        w.str(r.name).u32(r.zero).str(r.text);
        for (float f : r.floats) w.f32(f);
    }
    w.u32(k.some).u32(uint32_t(k.entries.size()));
    for (const auto& e : k.entries)
        for (uint32_t v : e) w.u32(v);
    w.str(k.block_text).u32(k.word1).u32(k.word2).u32(uint32_t(k.blocks.size()));
    for (const KelBlock& b : k.blocks) {
        for (float f : b.floats) w.f32(f);
        w.u32(b.int1).u32(b.int2);
    }
    return w.bytes;
}

// The smallest complete file: no records, no entries, an empty block header
// text and the first block alone (100 bytes).
inline KelFile smallest_kel() {
    KelFile k;
    k.blocks.push_back({std::vector<float>(11), 0, 0});
    return k;
}

// Files whose counts reach far beyond their size, by name: count2, the entry
// count and a string's byte count near their largest in 64-byte files; a
// block count of 4294967295 after a whole first block (the smallest file,
// 100 bytes); a block count of 0; a string byte count of 2^31.
inline std::map<std::string, std::string> hostile_kel_files() {
    KelBytes records, entries, text;
    records.u32(1).u32(0).f32(0).f32(0).f32(0).u32(0xFFFFFFFFu);
    records.str("abcd").u32(0).str("").f32(0).f32(0).f32(0).str("abcd").u32(0);  // 1.5 records
    entries.u32(1).u32(0).f32(0).f32(0).f32(0).u32(0).u32(6).u32(0xFFFFFFFFu);
    for (uint32_t v = 1; v <= 8; ++v) entries.u32(v);  // 2 entries
    text.u32(1).u32(0).f32(0).f32(0).f32(0).u32(1).u32(0x7FFFFFFFu).raw(std::string(36, 't'));
    std::string blocks = encode(smallest_kel()), no_blocks = blocks, negative_text = blocks;
    blocks.replace(44, 4, "\xFF\xFF\xFF\xFF");              // the block count
    no_blocks.replace(44, 4, std::string(4, '\0'));
    negative_text.replace(32, 4, std::string("\x00\x00\x00\x80", 4));  // the block header text's length
    return {{"huge-records.kel", records.bytes}, {"huge-entries.kel", entries.bytes},
            {"huge-text.kel", text.bytes},       {"huge-blocks.kel", blocks},
            {"no-blocks.kel", no_blocks},        {"negative-text.kel", negative_text}};
}

#endif
