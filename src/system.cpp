#include "system.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// One block read of the field's width; places the stream cannot fill stay 0.
template <std::size_t N>
std::array<uint8_t, N> read_block(std::istream& in) {
    std::array<uint8_t, N> b{};
    in.read(reinterpret_cast<char*>(b.data()), N);
    return b;
}

uint32_t little_endian32(const std::array<uint8_t, 4>& b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

float float_from_bits(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// A run of count bytes into a string or a byte vector. The bytes come in
// blocks, so memory follows what the stream really holds; once it ends, the
// missing bytes are added as 0xFF in one step.
template <class Bytes>
Bytes read_run(std::istream& in, int32_t count) {
    Bytes run;
    if (count <= 0) return run;
    const std::size_t n = std::size_t(count);
    constexpr std::size_t step = std::size_t(1) << 16;
    while (run.size() < n && in) {
        const std::size_t had = run.size();
        run.resize(had + std::min(step, n - had));
        in.read(reinterpret_cast<char*>(&run[had]), std::streamsize(run.size() - had));
        run.resize(had + std::size_t(in.gcount()));
    }
    run.resize(n, typename Bytes::value_type(0xFF));
    return run;
}

}  // namespace

uint16_t read_uint16(std::istream& in) {
    const auto b = read_block<2>(in);
    return uint16_t(b[0] | b[1] << 8);
}

int32_t read_int32(std::istream& in) {
    return int32_t(little_endian32(read_block<4>(in)));
}

uint32_t read_uint32(std::istream& in) {
    return little_endian32(read_block<4>(in));
}

float read_float(std::istream& in) {
    return float_from_bits(little_endian32(read_block<4>(in)));
}

float read_float_reverse(std::istream& in) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = bits << 8 | uint8_t(in.get());  // end of stream: 0xFF
    return float_from_bits(bits);
}

Vector3 read_vector(std::istream& in) {
    const float x = read_float(in);
    const float y = read_float(in);
    const float z = read_float(in);
    return {x, y, z};
}

std::string read_string(std::istream& in, int32_t count) {
    return read_run<std::string>(in, count);
}

std::vector<uint8_t> read_bytes(std::istream& in, int32_t count) {
    return read_run<std::vector<uint8_t>>(in, count);
}

std::string read_string0(std::istream& in) {
    std::string s;
    std::getline(in, s, '\0');
    return s;
}
