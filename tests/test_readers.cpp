// The binary stream readers on in-memory streams.
#include <cmath>
#include <cstring>
#include <sstream>

#include "support.h"
#include "system.h"

namespace {

std::istringstream stream(const std::string& bytes) {
    return std::istringstream(bytes, std::ios::in | std::ios::binary);
}

uint32_t bits(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

std::string all_left(std::istream& in) {
    std::ostringstream rest;
    if (in.peek() != EOF) rest << in.rdbuf();
    return rest.str();
}

TEST(Readers, IntegersAreLittleEndian) {
    auto a = stream("\x34\x12");
    EXPECT_EQ(read_uint16(a), 0x1234);
    auto b = stream(std::string("\xFE\xFF\xFF\xFF\xFE\xFF\xFF\xFF\x01\x00\x00\x00\xFF\xFF", 14));
    EXPECT_EQ(read_int32(b), -2);
    EXPECT_EQ(read_uint32(b), 4294967294u);
    EXPECT_EQ(read_uint32(b), 1u);
    EXPECT_EQ(read_uint16(b), 65535);
    EXPECT_TRUE(b.good());
}

TEST(Readers, FloatsInBothByteOrders) {
    auto in = stream(std::string("\x00\x00\x80\x3F", 4) + std::string("\x3F\x80\x00\x00", 4) +
                     std::string("\xC0\x20\x00\x00", 4));
    EXPECT_EQ(read_float(in), 1.0f);
    EXPECT_EQ(read_float_reverse(in), 1.0f);
    EXPECT_EQ(read_float_reverse(in), -2.5f);
    EXPECT_TRUE(in.good());
}

TEST(Readers, VectorIsThreeFloatsInReadOrder) {
    auto in = stream(std::string("\x00\x00\x80\x3F\x00\x00\x00\x40\x00\x00\x40\x40", 12) + "z");
    const Vector3 v = read_vector(in);
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(v.z, 3.0f);
    EXPECT_EQ(in.get(), 'z');
}

TEST(Readers, BlockReadersAtTheEndKeepTheLowBytesAndFillZero) {
    auto in = stream("\x01\x02\x03");
    EXPECT_EQ(read_uint32(in), 0x030201u);
    EXPECT_TRUE(in.eof() && in.fail());
    EXPECT_EQ(read_uint32(in), 0u);  // a failed stream delivers nothing
    auto one = stream("\x7F");
    EXPECT_EQ(read_uint16(one), 0x7F);
    auto i = stream("\xFE\xFF");
    EXPECT_EQ(read_int32(i), 0xFFFE);
    auto f = stream(std::string("\x00\x00\x80", 3));
    EXPECT_EQ(bits(read_float(f)), 0x00800000u);
    auto v = stream(std::string("\x00\x00\x80\x3F\x00\x00", 6));
    const Vector3 r = read_vector(v);
    EXPECT_EQ(r.x, 1.0f);
    EXPECT_EQ(bits(r.y), 0u);
    EXPECT_EQ(bits(r.z), 0u);
}

TEST(Readers, FloatReverseAtTheEndFillsFF) {
    auto two = stream("\x3F\x80");
    EXPECT_EQ(bits(read_float_reverse(two)), 0x3F80FFFFu);
    EXPECT_EQ(bits(read_float_reverse(two)), 0xFFFFFFFFu);  // nothing left
    auto none = stream("");
    EXPECT_TRUE(std::isnan(read_float_reverse(none)));
}

struct RunCase {
    std::string bytes;
    int32_t count;
    std::string expected;
    std::string left;  // what stays in the stream
    bool failed;
};

class Runs : public ::testing::TestWithParam<RunCase> {};

TEST_P(Runs, StringAndBytesReadExactlyCountBytes) {
    const RunCase& c = GetParam();
    auto a = stream(c.bytes);
    EXPECT_EQ(read_string(a, c.count), c.expected);
    EXPECT_EQ(a.fail(), c.failed);
    a.clear();
    EXPECT_EQ(all_left(a), c.left);

    auto b = stream(c.bytes);
    const std::vector<uint8_t> bytes = read_bytes(b, c.count);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.expected);
    EXPECT_EQ(b.fail(), c.failed);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, Runs,
    ::testing::Values(RunCase{std::string("abc\0", 4), 3, "abc", std::string("\0", 1), false},
                      RunCase{std::string("a\0b", 3), 3, std::string("a\0b", 3), "", false},
                      RunCase{"xyz", 0, "", "xyz", false}, RunCase{"xyz", -5, "", "xyz", false},
                      RunCase{"ab", 4, "ab\xFF\xFF", "", true}, RunCase{"", 2, "\xFF\xFF", "", true},
                      RunCase{std::string("\r\n\x1A\xFF", 4), 4, std::string("\r\n\x1A\xFF", 4), "", false}));

TEST(Readers, RunsOnAFailedStreamAreAllFFAndConsumeNothing) {
    auto in = stream("abcdef");
    in.setstate(std::ios::failbit);
    EXPECT_EQ(read_string(in, 3), "\xFF\xFF\xFF");
    EXPECT_EQ(read_bytes(in, 2), std::vector<uint8_t>({0xFF, 0xFF}));
    in.clear();
    EXPECT_EQ(all_left(in), "abcdef");
}

TEST(Readers, LongRunPastTheEnd) {
    // More than one internal block of real bytes, then the 0xFF tail.
    const std::string data(200000, 'q');
    auto in = stream(data);
    const std::string s = read_string(in, 300000);
    ASSERT_EQ(s.size(), 300000u);
    EXPECT_EQ(s.substr(0, 200000), data);
    EXPECT_EQ(s.find_first_not_of('\xFF', 200000), std::string::npos);
}

TEST(Readers, String0) {
    auto in = stream(std::string("ab\0c\0", 5));
    EXPECT_EQ(read_string0(in), "ab");
    EXPECT_EQ(in.get(), 'c');
    EXPECT_EQ(read_string0(in), "");  // only the terminator
    EXPECT_TRUE(in.good());
    auto unterminated = stream("tail");
    EXPECT_EQ(read_string0(unterminated), "tail");
    EXPECT_TRUE(unterminated.eof());
    EXPECT_EQ(read_string0(unterminated), "");
}

TEST(Readers, LengthPrefixedString) {
    auto in = stream(std::string("\x03\x00\x00\x00" "abc" "\x00\x00\x00\x80" "rest", 15));
    EXPECT_EQ(read_string(in, int32_t(read_uint32(in))), "abc");
    EXPECT_EQ(in.tellg(), 7);
    EXPECT_EQ(read_string(in, int32_t(read_uint32(in))), "");
    EXPECT_EQ(all_left(in), "rest");
}

}  // namespace
