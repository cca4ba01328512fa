// kelgen: writes kel files.
//   kelgen samples DIR      the bundled sample files
//   kelgen big FILE BYTES   a large realistic file of about BYTES bytes
//   kelgen seeds DIR        hostile and cut files, to seed the fuzzer
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "kel_writer.h"

namespace {

bool write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out.flush());
}

// A small deterministic generator, so the files are the same on every run.
struct Lcg {
    uint64_t state;
    uint32_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(state >> 33);
    }
    float real(float lo, float hi) { return lo + (hi - lo) * float(next() % 1000000) / 1e6f; }
};

KelRecord station(Lcg& rng, uint32_t n) {
    static const char* const sites[] = {"North inlet", "Pump house", "East weir", "Reservoir", "Outfall"};
    KelRecord r;
    r.name = "station_" + std::to_string(n);
    r.zero = 0;
    r.text = std::string(sites[n % 5]) + ", gauge " + std::to_string(rng.next() % 90 + 10);
    r.floats = {rng.real(-180, 180), rng.real(-90, 90), rng.real(0, 2500)};
    return r;
}

KelBlock reading(Lcg& rng, uint32_t floats, uint32_t n) {
    KelBlock b;
    for (uint32_t i = 0; i < floats; ++i) b.floats.push_back(std::round(rng.real(0, 100) * 1000) / 1000);
    b.int1 = n;
    b.int2 = 1700000000u + n * 900u;
    return b;
}

KelFile realistic(uint32_t records, uint32_t entries, uint32_t blocks, uint64_t seed) {
    Lcg rng{seed};
    KelFile k;
    k.version = 3;
    k.count1 = records;
    k.header = {0.5f, 100.0f, 1.0f / 3.0f};
    for (uint32_t i = 1; i <= records; ++i) k.records.push_back(station(rng, i));
    k.some = 7;
    for (uint32_t i = 0; i < entries; ++i) k.entries.push_back({i, i % records, rng.next() % 4096, 0xFFFFFFFFu});
    k.block_text = "flow m3/s, 15 min";
    k.word1 = 15;
    k.word2 = 900;
    for (uint32_t i = 0; i < blocks; ++i) k.blocks.push_back(reading(rng, i == 0 ? 11 : 12, i + 1));
    return k;
}

// Strings the dump writes raw: quotes, a newline, a NUL and high bytes.
KelFile odd_strings() {
    KelFile k = smallest_kel();
    k.records.push_back({"say \"hi\"", 0, std::string("line one\nline two"), {1e6f, 0.0001f, 1e-5f}});
    k.records.push_back({std::string("nul\0inside", 10), 4294967295u, "caf\xC3\xA9 \xFF", {-0.0f, -2.5f, 123456789.0f}});
    k.block_text = "\"quoted\"";
    return k;
}

// The hostile files, and two files cut short inside a record and a block.
std::map<std::string, std::string> seeds() {
    std::map<std::string, std::string> files = hostile_kel_files();
    const std::string stations = encode(realistic(3, 4, 3, 1));
    files["cut-in-record.kel"] = stations.substr(0, 57);
    files["cut-in-block.kel"] = stations.substr(0, 300);
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "samples" && argc == 3) {
        const std::string dir = std::string(argv[2]) + "/";
        const bool ok = write_file(dir + "smallest.kel", encode(smallest_kel())) &&
                        write_file(dir + "stations.kel", encode(realistic(3, 4, 3, 1))) &&
                        write_file(dir + "strings.kel", encode(odd_strings()));
        return ok ? 0 : 1;
    }
    if (mode == "big" && argc == 4) {
        // Records, entries and blocks in the proportion 1 : 4 : 8 bytes-wise.
        const double target = std::strtod(argv[3], nullptr);
        const uint32_t blocks = uint32_t(target * 8 / 13 / 56);
        const uint32_t entries = uint32_t(target * 4 / 13 / 16);
        const uint32_t records = uint32_t(target / 13 / 60) + 1;
        return write_file(argv[2], encode(realistic(records, entries, blocks, 42))) ? 0 : 1;
    }
    if (mode == "seeds" && argc == 3) {
        for (const auto& [name, bytes] : seeds())
            if (!write_file(std::string(argv[2]) + "/" + name, bytes)) return 1;
        return 0;
    }
    std::cerr << "usage: kelgen samples DIR | kelgen big FILE BYTES | kelgen seeds DIR\n";
    return 2;
}
