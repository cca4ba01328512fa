// The dump tool end to end: the built program's standard output, error
// stream and exit status, on fixture files built from readable values. The
// expected text is written by hand from the format's rules.
#include "kel_writer.h"
#include "support.h"

namespace {

const char* const kSmallestDump =
    "version: 1\n"
    "count1:  0\n"
    "0\n0\n0\n"
    "count2:  0\n"
    "\nSome: 0\n"
    "\nSome: 0\n"
    "\"\"\n"
    "0\n0\n1\n"
    "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n"
    "INT: 0\n"
    "INT: 0\n";

std::string heading(const std::string& path) { return "#### Filename: " + path + "\n"; }

std::string eof_error(uint64_t at, const std::string& field, uint64_t need, uint64_t left, const std::string& path) {
    return "Unexpected end of file at byte " + std::to_string(at) + " reading " + field + " (" + std::to_string(need) +
           " bytes, " + std::to_string(left) + " left): " + path + "\n";
}

// The fields after the record table of a file with no entries, an empty block
// header text and a single zero block.
KelBytes& smallest_tail(KelBytes& w) {
    w.u32(0).u32(0).str("").u32(0).u32(0).u32(1);
    for (int i = 0; i < 11; ++i) w.f32(0);
    return w.u32(0).u32(0);
}

class Dump : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = tmp / name;
        write_file(path, bytes);
        return path;
    }

    // Dumps one file; expects exit status 0 and the given streams.
    void expect_dump(const std::string& bytes, const std::string& out, const std::string& err = "") {
        const std::string path = file("f.kel", bytes);
        const Result r = run_kel({path});
        EXPECT_EQ(r.out, platform_text(heading(path) + out));
        EXPECT_EQ(r.err, platform_text(err));
        EXPECT_EQ(r.status, 0);
    }

    std::string path_of(const std::string& name) const { return tmp / name; }

    TempDir tmp;
};

TEST_F(Dump, NoPathsWriteNothing) {
    const Result r = run_kel({});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
}

TEST_F(Dump, PathsAreTakenInOrderAndOnesThatDoNotOpenAreSkipped) {
    const std::string a = file("a.kel", encode(smallest_kel()));
    KelFile other = smallest_kel();
    other.version = 2;
    const std::string c = file("c.kel", encode(other));
    const std::string missing = path_of("missing.kel");
    const Result r = run_kel({a, missing, c, a});
    std::string second = kSmallestDump;
    second.replace(0, 10, "version: 2");
    EXPECT_EQ(r.out, platform_text(heading(a) + kSmallestDump + heading(c) + second + heading(a) + kSmallestDump));
    EXPECT_EQ(r.err, platform_text("Couldn't oppen: " + missing + "\n"));
    EXPECT_EQ(r.status, 0);
}

TEST_F(Dump, OnlyErrorLinesWhenNothingOpens) {
    // A directory is not a file on any platform; an empty path names nothing.
    const Result r = run_kel({path_of("x"), "", tmp.path(), path_of("y")});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, platform_text("Couldn't oppen: " + path_of("x") + "\nCouldn't oppen: \nCouldn't oppen: " +
                                   tmp.path() + "\nCouldn't oppen: " + path_of("y") + "\n"));
    EXPECT_EQ(r.status, 0);
}

TEST_F(Dump, SmallestFileIs27Lines) {
    const std::string bytes = encode(smallest_kel());
    ASSERT_EQ(bytes.size(), 100u);
    expect_dump(bytes, kSmallestDump);
    expect_dump(bytes + "trailing bytes are never read", kSmallestDump);
}

TEST_F(Dump, RecordsEntriesAndBlocks) {
    KelFile k;
    k.version = 2;
    k.count1 = 5;
    k.header = {1, 0.5f, 100};
    k.records = {{"alpha", 0, "first", {1.5f, -2, 0.25f}}, {"", 7, "", {0, 0, 0}}};
    k.some = 9;
    k.entries = {{1, 2, 3, 4}, {5, 6, 7, 4294967295u}};
    k.block_text = "blk";
    k.word1 = 11;
    k.word2 = 12;
    k.blocks = {{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 21, 22},
                {{101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112}, 31, 32},
                {std::vector<float>(12, -1), 41, 42}};
    expect_dump(encode(k),
                "version: 2\ncount1:  5\n1\n0.5\n100\ncount2:  2\n"
                "\nalpha\nZero: 0\n\"first\"\n1.5\n-2\n0.25\n"
                "\n\nZero: 7\n\"\"\n0\n0\n0\n"
                "\nSome: 9\n"
                "\nSome: 2\n1\n2\n3\n4\n5\n6\n7\n4294967295\n"
                "\"blk\"\n11\n12\n3\n"
                "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\nINT: 21\nINT: 22\n"
                "\n101\n102\n103\n104\n105\n106\n107\n108\n109\n110\n111\n112\nINT: 31\nINT: 32\n"
                "\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\nINT: 41\nINT: 42\n");
}

TEST_F(Dump, StringsAreWrittenRaw) {
    KelFile k = smallest_kel();
    k.records = {{"say \"hi\"", 4294967295u, "line one\nline two", {0, 0, 0}},
                 {std::string("nul\0in", 6), 1, "caf\xC3\xA9 \xFF\x01", {0, 0, 0}}};
    k.block_text = "\"quoted\"";
    std::string expected = "version: 1\ncount1:  0\n0\n0\n0\ncount2:  2\n"
                           "\nsay \"hi\"\nZero: 4294967295\n\"line one\nline two\"\n0\n0\n0\n"
                           "\n" + std::string("nul\0in", 6) + "\nZero: 1\n\"caf\xC3\xA9 \xFF\x01\"\n0\n0\n0\n"
                           "\nSome: 0\n\nSome: 0\n\"\"quoted\"\"\n0\n0\n1\n"
                           "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\nINT: 0\nINT: 0\n";
    expect_dump(encode(k), expected);
}

TEST_F(Dump, FloatFormat) {
    KelFile k = smallest_kel();
    k.header = {1, 0.5f, 100};
    k.blocks[0].floats = {1e6f, 0.0001f, 1e-5f, 1.0f / 3, -2.5f, -0.0f, 999999.7f, 100000, 0.1f, 123456789.0f, 1.5e-7f};
    expect_dump(encode(k), "version: 1\ncount1:  0\n1\n0.5\n100\ncount2:  0\n\nSome: 0\n\nSome: 0\n\"\"\n0\n0\n1\n"
                           "1e+06\n0.0001\n1e-05\n0.333333\n-2.5\n-0\n1e+06\n100000\n0.1\n1.23457e+08\n1.5e-07\n"
                           "INT: 0\nINT: 0\n");
}

TEST_F(Dump, ByteCountOf2To31OrMoreIsAnEmptyStringThatConsumesNothing) {
    KelBytes w;
    w.u32(1).u32(0).f32(0).f32(0).f32(0).u32(1);
    w.u32(0x80000000u).u32(5).u32(0xFFFFFFFFu).f32(2).f32(3).f32(4);  // name, Zero, text, floats
    expect_dump(smallest_tail(w).bytes,
                "version: 1\ncount1:  0\n0\n0\n0\ncount2:  1\n\n\nZero: 5\n\"\"\n2\n3\n4\n"
                "\nSome: 0\n\nSome: 0\n\"\"\n0\n0\n1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\nINT: 0\nINT: 0\n");
}

TEST_F(Dump, BlockCountZeroReadsAsOne) {
    std::string expected = kSmallestDump;
    expected.replace(expected.find("0\n0\n1\n"), 6, "0\n0\n0\n");
    expect_dump(hostile_kel_files().at("no-blocks.kel") + "more bytes", expected);
}

TEST_F(Dump, BlockHeaderTextOf2To31BytesIsEmpty) {
    expect_dump(hostile_kel_files().at("negative-text.kel"), kSmallestDump);
}

// A file that ends early: every whole value is printed, nothing of the read
// that failed, then one error line.
struct Cut {
    std::size_t size;
    std::string out;
    uint64_t at;
    std::string field;
    uint64_t need, left;
};

class CutFile : public Dump, public ::testing::WithParamInterface<Cut> {};

TEST_P(CutFile, EndsAtTheLastWholeValue) {
    KelFile k = smallest_kel();
    k.records = {{"ab", 3, "xyz", {1, 2, 3}}};
    k.block_text = "bh";
    k.blocks.push_back({std::vector<float>(12, 0.5f), 8, 9});
    const std::string bytes = encode(k);
    ASSERT_EQ(bytes.size(), 100u + 29 + 2 + 56);
    const Cut& c = GetParam();
    const std::string path = file("cut.kel", bytes.substr(0, c.size));
    const Result r = run_kel({path});
    EXPECT_EQ(r.out, platform_text(heading(path) + c.out));
    EXPECT_EQ(r.err, platform_text(eof_error(c.at, c.field, c.need, c.left, path)));
    EXPECT_EQ(r.status, 0);
}

const std::string kHead = "version: 1\ncount1:  0\n0\n0\n0\ncount2:  1\n";
const std::string kRecord = "\nab\nZero: 3\n\"xyz\"\n1\n2\n3\n";
const std::string kBlock1 = "0\n0\n2\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\nINT: 0\nINT: 0\n";

INSTANTIATE_TEST_SUITE_P(
    Dump, CutFile,
    ::testing::Values(Cut{0, "", 0, "version", 4, 0}, Cut{6, "version: 1\n", 4, "count1", 4, 2},
                      Cut{13, "version: 1\ncount1:  0\n0\n", 12, "header float 2", 4, 1},
                      Cut{24, kHead + "\n", 24, "record 1 name length", 4, 0},
                      Cut{29, kHead + "\n", 28, "record 1 name", 2, 1},
                      Cut{30, kHead + "\nab\n", 30, "record 1 Zero", 4, 0},
                      Cut{40, kHead + "\nab\nZero: 3\n", 38, "record 1 text", 3, 2},
                      Cut{51, kHead + "\nab\nZero: 3\n\"xyz\"\n1\n2\n", 49, "record 1 float 3", 4, 2},
                      Cut{53, kHead + kRecord, 53, "first Some value", 4, 0},
                      Cut{60, kHead + kRecord + "\nSome: 0\n", 57, "entry count", 4, 3},
                      Cut{66, kHead + kRecord + "\nSome: 0\n\nSome: 0\n", 65, "block header text", 2, 1},
                      Cut{77, kHead + kRecord + "\nSome: 0\n\nSome: 0\n\"bh\"\n0\n0\n", 75, "block count", 4, 2},
                      Cut{87, kHead + kRecord + "\nSome: 0\n\nSome: 0\n\"bh\"\n0\n0\n2\n0\n0\n", 87, "block 1 float 3",
                          4, 0},
                      Cut{130, kHead + kRecord + "\nSome: 0\n\nSome: 0\n\"bh\"\n" + kBlock1.substr(0, kBlock1.size() - 7),
                          127, "block 1 INT 2", 4, 3},
                      Cut{131, kHead + kRecord + "\nSome: 0\n\nSome: 0\n\"bh\"\n" + kBlock1 + "\n", 131,
                          "block 2 float 1", 4, 0},
                      Cut{186, kHead + kRecord + "\nSome: 0\n\nSome: 0\n\"bh\"\n" + kBlock1 +
                                   "\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\n0.5\nINT: 8\n",
                          183, "block 2 INT 2", 4, 3}));

TEST_F(Dump, HostileCountsEndAtTheEndOfTheFile) {
    const auto files = hostile_kel_files();
    const std::string head = "version: 1\ncount1:  0\n0\n0\n0\n";
    ASSERT_EQ(files.at("huge-records.kel").size(), 64u);
    expect_dump(files.at("huge-records.kel"),
                head + "count2:  4294967295\n\nabcd\nZero: 0\n\"\"\n0\n0\n0\n\nabcd\nZero: 0\n",
                eof_error(64, "record 2 text length", 4, 0, path_of("f.kel")));

    ASSERT_EQ(files.at("huge-entries.kel").size(), 64u);
    expect_dump(files.at("huge-entries.kel"),
                head + "count2:  0\n\nSome: 6\n\nSome: 4294967295\n1\n2\n3\n4\n5\n6\n7\n8\n",
                eof_error(64, "entry 3 value 1", 4, 0, path_of("f.kel")));

    expect_dump(files.at("huge-blocks.kel") + std::string(10, '\0'),
                head + "count2:  0\n\nSome: 0\n\nSome: 0\n\"\"\n0\n0\n4294967295\n"
                       "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\nINT: 0\nINT: 0\n\n0\n0\n",
                eof_error(108, "block 2 float 3", 4, 2, path_of("f.kel")));

    ASSERT_EQ(files.at("huge-text.kel").size(), 64u);
    expect_dump(files.at("huge-text.kel"), head + "count2:  1\n\n",
                eof_error(28, "record 1 name", 2147483647, 36, path_of("f.kel")));

    // Longer than one read of the string's bytes: the offset is still where
    // the bytes begin.
    KelBytes longer;
    longer.u32(1).u32(0).f32(0).f32(0).f32(0).u32(1).u32(100000).raw(std::string(70000, 's'));
    expect_dump(longer.bytes, head + "count2:  1\n\n", eof_error(28, "record 1 name", 100000, 70000, path_of("f.kel")));
}

#ifndef _WIN32
TEST_F(Dump, StandardOutputThatCannotBeWrittenFails) {
    const std::string path = file("a.kel", encode(smallest_kel()));
    const Result r = run_command(kel_command({path}), tmp, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kel: standard output could not be written\n");
}
#endif

}  // namespace
