// Path and string helpers, and the whole-file loaders.
#include <thread>

#include "support.h"
#include "util.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

TEST(HasSuffix, ExactByteComparison) {
    const struct {
        std::string s, suffix;
        bool expected;
    } cases[] = {
        {"readme.txt", ".txt", true},    {"readme.txt", ".TXT", false},
        {"a", "ab", false},              {"anything", "", true},
        {"", "", true},                  {"same", "same", true},
        {std::string("a\0b", 3), std::string("\0b", 2), true},
        {std::string("a\0b", 3), "b", true}, {"ab", std::string("\0b", 2), false},
    };
    for (const auto& c : cases) EXPECT_EQ(has_suffix(c.s, c.suffix), c.expected) << c.s << " / " << c.suffix;
}

TEST(Splitpath, AtTheLastForwardSlash) {
    const struct {
        std::string path, dir, file;
    } splits[] = {
        {"a/b/c.txt", "a/b", "c.txt"}, {"/c", "", "c"}, {"a/b/", "a/b", ""},
        {"/", "", ""},                 {"a//b", "a/", "b"}, {"C:\\x/y", "C:\\x", "y"},
    };
    for (const auto& c : splits) {
        std::string dir = "old", file = "old";
        EXPECT_TRUE(splitpath(c.path, dir, file)) << c.path;
        EXPECT_EQ(dir, c.dir) << c.path;
        EXPECT_EQ(file, c.file) << c.path;
    }
    for (const std::string path : {"c.txt", "C:\\dir\\c.txt", ""}) {
        std::string dir = "old dir", file = "old file";
        EXPECT_FALSE(splitpath(path, dir, file)) << path;
        EXPECT_EQ(dir, "old dir");
        EXPECT_EQ(file, "old file");
    }
}

TEST(Splitpath, PathMayBeOneOfTheOutputs) {
    std::string path = "a/b/c", other;
    EXPECT_TRUE(splitpath(path, path, other));
    EXPECT_EQ(path, "a/b");
    EXPECT_EQ(other, "c");
    path = "x/y/z";
    EXPECT_TRUE(splitpath(path, other, path));
    EXPECT_EQ(other, "x/y");
    EXPECT_EQ(path, "z");
}

TEST(Tolowercase, OnlyAsciiCapitals) {
    EXPECT_EQ(tolowercase("Hello, WORLD 42"), "hello, world 42");
    EXPECT_EQ(tolowercase(std::string("A\0Z\xC4\xFF@[", 7)), std::string("a\0z\xC4\xFF@[", 7));
    EXPECT_EQ(tolowercase(""), "");
    const std::string s = "KEEP";
    tolowercase(s);
    EXPECT_EQ(s, "KEEP");
}

TEST(FileReadlines, NonEmptyLinesAsTheWindowsTextModeGivesThem) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\n\nb", {"a", "b"}},
        {"\n\n\n", {}},
        {"", {}},
        {" \n\t\n", {" ", "\t"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a\rb\r"}},           // a lone CR is data
        {"a\r\r\nb", {"a\r", "b"}},       // only the CR right before LF goes
        {"a\x1A\nb", {"a"}},              // 0x1A ends the input
        {"one\ntwo\x1Athree\n", {"one", "two"}},
        {"x\r\x1A", {"x\r"}},
        {std::string("n\0l\n", 4), {std::string("n\0l", 3)}},
        {std::string(10000, 'L') + "\n" + "end", {std::string(10000, 'L'), "end"}},
    };
    TempDir tmp;
    for (const auto& c : cases) {
        write_file(tmp / "t.txt", c.bytes);
        std::vector<std::string> lines = {"held"};
        EXPECT_TRUE(file_readlines(tmp / "t.txt", lines));
        std::vector<std::string> expected = {"held"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lines, expected) << c.bytes;
    }
}

TEST(FileReadlines, AppendsAndReportsFilesThatCannotBeOpened) {
    TempDir tmp;
    write_file(tmp / "t.txt", "x\ny\n");
    std::vector<std::string> lines;
    EXPECT_TRUE(file_readlines(tmp / "t.txt", lines));
    EXPECT_TRUE(file_readlines(tmp / "t.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"x", "y", "x", "y"}));
    EXPECT_FALSE(file_readlines(tmp / "missing", lines));
    EXPECT_FALSE(file_readlines(tmp.path(), lines));  // a directory
    EXPECT_EQ(lines.size(), 4u);
}

std::vector<uint8_t> bytes_of(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(FileReadbytes, AppendsTheBytesUnchanged) {
    TempDir tmp;
    const std::string big = std::string(300000, '\0') + "tail";
    for (const std::string& content : {std::string("12345"), std::string("\r\n\x1A\0", 4), std::string(), big}) {
        write_file(tmp / "b", content);
        std::vector<uint8_t> v = {7, 8, 9};
        EXPECT_TRUE(file_readbytes(tmp / "b", v));
        EXPECT_EQ(v, bytes_of("\x07\x08\x09" + content));
    }
}

TEST(FileReadbytes, FileThatCannotBeOpenedLeavesTheVectorAsItWas) {
    TempDir tmp;
    std::vector<uint8_t> v = {1, 2, 3};
    EXPECT_FALSE(file_readbytes(tmp / "missing", v));
    EXPECT_FALSE(file_readbytes(tmp.path(), v));
    EXPECT_EQ(v, (std::vector<uint8_t>{1, 2, 3}));
}

#ifndef _WIN32
TEST(FileReadbytes, FileThatCannotSeek) {
    TempDir tmp;
    const std::string fifo = tmp / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string content;
    for (int i = 0; i < 200000; ++i) content += char('a' + i % 26);
    std::thread writer([&] { write_file(fifo, content); });
    std::vector<uint8_t> v = {1};
    EXPECT_TRUE(file_readbytes(fifo, v));
    writer.join();
    EXPECT_EQ(v, bytes_of("\x01" + content));
}

TEST(FileReadbytes, FileOver4GiB) {
    // A sparse file: its size does not fit 32 bits.
    TempDir tmp;
    const std::string path = tmp / "huge";
    const uint64_t size = (uint64_t(1) << 32) + 3;
    {
        std::ofstream out(path, std::ios::binary);
        out.write("head", 4);
    }
    fs::resize_file(path, size - 3);
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out.write("end", 3);
    }
    std::vector<uint8_t> v;
    ASSERT_TRUE(file_readbytes(path, v));
    ASSERT_EQ(v.size(), size);
    EXPECT_EQ(std::string(v.begin(), v.begin() + 4), "head");
    EXPECT_EQ(std::string(v.end() - 3, v.end()), "end");
    EXPECT_EQ(v[size / 2], 0);
}
#endif

}  // namespace
