// libFuzzer harness for the binary readers: the input is a program and its
// data. The first byte of each step picks a reader, a count follows where the
// reader takes one, and the readers consume the rest of the input as their
// stream. Every result is checked against the bytes it was read from.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "system.h"

namespace {

// Steps the program takes from the front of the input.
struct Program {
    const uint8_t* p;
    size_t n;
    bool take(uint8_t& b) {
        if (n == 0) return false;
        b = *p++;
        --n;
        return true;
    }
    int32_t count() {
        // Counts below 2^18 either way: past the readers' 64 KiB blocks, yet
        // small enough for the fuzzer's memory limits; negatives too.
        uint8_t b[3] = {0, 0, 0};
        for (uint8_t& x : b) take(x);
        const int32_t magnitude = int32_t((b[0] | b[1] << 8 | (b[2] & 0x03) << 16));
        return b[2] & 0x80 ? -magnitude : magnitude;
    }
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "reader check failed: %s\n", what);
    std::abort();
}

void check(bool ok, const char* what) {
    if (!ok) fail(what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // First byte: how many bytes of program follow; the rest is the stream.
    const size_t program_size = std::min<size_t>(data[0], size - 1);
    Program program{data + 1, program_size};
    const std::string bytes(reinterpret_cast<const char*>(data + 1 + program_size), size - 1 - program_size);
    std::istringstream in(bytes, std::ios::in | std::ios::binary);
    size_t pos = 0;  // where the stream is, as the readers' rules say
    auto left = [&] { return in ? bytes.size() - pos : 0; };

    for (uint8_t op; program.take(op);) {
        const size_t had = left();
        switch (op % 8) {
        case 0: {
            const uint32_t v = read_uint32(in);
            uint8_t expect[4] = {0, 0, 0, 0};
            std::memcpy(expect, bytes.data() + pos, std::min<size_t>(had, 4));
            check(v == uint32_t(expect[0] | expect[1] << 8 | expect[2] << 16 | uint32_t(expect[3]) << 24), "uint32");
            pos += std::min<size_t>(had, 4);
            check(bool(in) == (had >= 4), "uint32 state");
            break;
        }
        case 1: read_uint16(in); pos += std::min<size_t>(had, 2); break;
        case 2: read_int32(in); pos += std::min<size_t>(had, 4); break;
        case 3: read_float(in); pos += std::min<size_t>(had, 4); break;
        case 4: read_float_reverse(in); pos += std::min<size_t>(had, 4); break;
        case 5: read_vector(in); pos += std::min<size_t>(had, 12); break;
        case 6: {
            const int32_t count = program.count();
            const std::string s = op & 8 ? read_string(in, count)
                                         : [&] { auto v = read_bytes(in, count); return std::string(v.begin(), v.end()); }();
            const size_t want = count > 0 ? size_t(count) : 0;
            const size_t real = std::min(had, want);
            check(s.size() == want, "run size");
            check(s.compare(0, real, bytes, pos, real) == 0, "run bytes");
            check(s.find_first_not_of('\xFF', real) == std::string::npos, "run fill");
            pos += real;
            break;
        }
        case 7: {
            const std::string s = read_string0(in);
            check(s.find('\0') == std::string::npos, "string0 holds a NUL");
            check(s.compare(0, s.size(), bytes, pos, s.size()) == 0, "string0 bytes");
            pos += std::min(had, s.size() + 1);
            break;
        }
        }
        if (in.good())
            check(size_t(in.tellg()) == pos, "position");
        else if (!in.fail())  // at the end without failing: read_string0 took the last byte
            check(pos == bytes.size(), "position at the end");
    }
    return 0;
}
