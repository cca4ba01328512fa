// File, process and directory helpers, on real temporary files.
#include <set>
#include <stdexcept>

#include "support.h"
#include "system.h"

namespace {

#ifdef _WIN32
const char* const kProbe = ".\\probe.exe";
#else
const char* const kProbe = "./probe";
#endif

TEST(Wait, PromptsAndTakesOneCharacter) {
    TempDir tmp;
    write_file(tmp / "in.txt", "xy\n");
    Result r = run_command(std::string(kProbe) + " wait < " + quote(tmp / "in.txt"), tmp);
    EXPECT_EQ(r.out, platform_text("\nPress Enter to continue...\nrest:y\n"));
    EXPECT_EQ(r.status, 0);

    // At the end of standard input it returns at once.
    write_file(tmp / "empty.txt", "");
    r = run_command(std::string(kProbe) + " wait < " + quote(tmp / "empty.txt"), tmp);
    EXPECT_EQ(r.out, platform_text("\nPress Enter to continue...\nrest:"));
    EXPECT_EQ(r.status, 0);
}

TEST(FileExists, FilesAndDirectoriesThatExist) {
    TempDir tmp;
    write_file(tmp / "f", "x");
    EXPECT_TRUE(file_exists(tmp / "f"));
    EXPECT_TRUE(file_exists(tmp.path()));
    EXPECT_FALSE(file_exists(tmp / "missing"));
    EXPECT_FALSE(file_exists(""));
}

TEST(CreateDir, CreatesOnlyTheLastComponent) {
    TempDir tmp;
    EXPECT_EQ(create_dir(tmp / "d"), 0);
    EXPECT_TRUE(fs::is_directory(tmp / "d"));
    EXPECT_EQ(create_dir(tmp / "d"), -1);  // exists already
    EXPECT_EQ(create_dir(tmp / "x/y"), -1);  // no parent
    EXPECT_FALSE(fs::exists(tmp / "x"));
}

TEST(CreateHierachy, CreatesEveryDirectoryBeforeASlash) {
    TempDir tmp;
    create_hierachy(tmp / "a/b/c");
    EXPECT_TRUE(fs::is_directory(tmp / "a/b"));
    EXPECT_FALSE(fs::exists(tmp / "a/b/c"));
    create_hierachy(tmp / "p/q/r/");
    EXPECT_TRUE(fs::is_directory(tmp / "p/q/r"));
    // A prefix that is a file counts as present; what lies below it fails quietly.
    write_file(tmp / "f", "x");
    create_hierachy(tmp / "f/g/h");
    EXPECT_EQ(read_file(tmp / "f"), "x");
}

#ifndef _WIN32
TEST(CreateHierachy, BackslashIsNoSeparator) {
    TempDir tmp;
    create_hierachy(tmp / "a\\b\\c");
    EXPECT_TRUE(fs::is_empty(tmp.path()));
}
#endif

TEST(GetExePath, IsTheDirectoryOfTheRunningProgram) {
    // The tests run in the directory that holds them.
    const std::string dir = get_exe_path();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(dir.back() == '/' || dir.back() == '\\') << dir;
    EXPECT_EQ(fs::path(dir), fs::current_path() / "");
}

TEST(GetExePath, LongPathsAreNeverCut) {
    // The probe copied into a directory whose path is far longer than the
    // 260-byte buffer of the classic calls.
    TempDir tmp;
    std::string dir = tmp.path();
    while (dir.size() < 400) dir += std::string(60, 'd') + "/";
    fs::create_directories(dir);
    const std::string probe = dir + fs::path(kProbe).filename().string();
    fs::copy_file(kProbe, probe);
    const int status = spawn(probe, {"exe-path", tmp / "out.txt"});
#ifdef _WIN32
    if (status == -1) GTEST_SKIP() << "the narrow process calls cannot start a program this deep";
#endif
    ASSERT_EQ(status, 0);
    EXPECT_EQ(fs::path(read_file(tmp / "out.txt")), fs::canonical(dir) / "");
}

class FileCopy : public ::testing::Test {
protected:
    TempDir tmp;
    const std::string src = tmp / "src", dst = tmp / "dst";
};

TEST_F(FileCopy, CopiesEveryByte) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "old contents"},                                                   // empty source
        {std::string(4096, 'a') + "b", ""},                                     // one byte past a block
        {std::string(8192, '\x1A'), ""},                                        // exactly two blocks
        {std::string("\r\n\0\x1A\xFF tail", 9), std::string(10000, 'z')},      // longer destination
    };
    for (const auto& [bytes, before] : cases) {
        write_file(src, bytes);
        if (!before.empty()) write_file(dst, before);
        file_copy(src, dst);
        EXPECT_EQ(read_file(dst), bytes);
        EXPECT_EQ(read_file(src), bytes);
    }
}

TEST_F(FileCopy, SourceThatCannotBeOpened) {
    write_file(dst, "keep");
    EXPECT_EQ(error_of([&] { file_copy(tmp / "missing", dst); }), "Couldn't open " + tmp / "missing");
    EXPECT_EQ(error_of([&] { file_copy(tmp.path(), dst); }), "Couldn't open " + tmp.path());  // a directory
    EXPECT_EQ(read_file(dst), "keep");
}

TEST_F(FileCopy, DestinationThatCannotBeOpened) {
    write_file(src, "data");
    EXPECT_EQ(error_of([&] { file_copy(src, tmp / "no/dst"); }), "Couldn't open " + tmp / "no/dst");
    fs::create_directory(tmp / "dir");
    EXPECT_EQ(error_of([&] { file_copy(src, tmp / "dir"); }), "Couldn't open " + tmp / "dir");
}

#ifndef _WIN32
TEST_F(FileCopy, DestinationThatCannotBeWrittenFails) {
    write_file(src, std::string(10000, 'w'));
    EXPECT_EQ(error_of([&] { file_copy(src, "/dev/full"); }), "Couldn't write /dev/full");
}
#endif

TEST_F(FileCopy, OntoItselfUnderAnySpellingKeepsTheFile) {
    const std::string bytes = std::string(5000, 'k') + "end";
    write_file(src, bytes);
    fs::create_directory(tmp / "sub");
    std::vector<std::string> aliases = {src, tmp / "sub/../src", tmp / "./src"};
    std::error_code ec;
    fs::create_hard_link(src, tmp / "hard", ec);
    if (!ec) aliases.push_back(tmp / "hard");
    fs::create_symlink(src, tmp / "soft", ec);
    if (!ec) aliases.push_back(tmp / "soft");
#ifdef _WIN32
    EXPECT_GE(aliases.size(), 4u);  // Wine makes hard links but no symbolic ones
#else
    EXPECT_EQ(aliases.size(), 5u);
#endif
    for (const std::string& alias : aliases) {
        file_copy(src, alias);
        EXPECT_EQ(read_file(src), bytes) << alias;
        file_copy(alias, src);
        EXPECT_EQ(read_file(src), bytes) << alias;
    }
}

TEST(FileRead, LoadsTheWholeFile) {
    TempDir tmp;
    std::string bytes;
    for (int i = 0; i < 10000; ++i) bytes += char(i * 7 % 256);
    for (const std::string& content : {std::string(), bytes}) {
        write_file(tmp / "f", content);
        const std::vector<uint8_t> v = file_read(tmp / "f");
        EXPECT_EQ(std::string(v.begin(), v.end()), content);
    }
    EXPECT_EQ(error_of([&] { file_read(tmp / "missing"); }), "file_read: couldn't open " + tmp / "missing");
    EXPECT_EQ(error_of([&] { file_read(tmp.path()); }), "file_read: couldn't open " + tmp.path());
}

// Listings are compared as sets: the platform's order is not fixed.
using Entry = std::tuple<int32_t, std::string, std::string>;

std::set<Entry> entries(const std::vector<DirectoryEntry>& list) {
    std::set<Entry> s;
    for (const DirectoryEntry& e : list) s.insert({e.kind, e.name, e.path});
    EXPECT_EQ(s.size(), list.size()) << "an entry is listed twice";
    return s;
}

class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"a.txt", "b.TXT", ".cfg", "sub/c.txt", "sub/d.bin", "x.txt/e.txt", ".git/f"}) {
            fs::create_directories(fs::path(root + f).parent_path());
            write_file(root + f, f);
        }
        fs::create_directory(root + "empty");
    }

    TempDir tmp;
    const std::string root = tmp / "root/";
};

TEST_F(Listing, EveryEntryButDotAndDotDot) {
    EXPECT_EQ(entries(open_directory(root)),
              (std::set<Entry>{{1, "a.txt", root + "a.txt"},
                               {1, "b.TXT", root + "b.TXT"},
                               {1, ".cfg", root + ".cfg"},
                               {0, "sub", root + "sub/"},
                               {0, "x.txt", root + "x.txt/"},
                               {0, ".git", root + ".git/"},
                               {0, "empty", root + "empty/"}}));
    EXPECT_TRUE(open_directory(root + "empty/").empty());
}

TEST_F(Listing, SuffixKeepsMatchingFilesOnly) {
    EXPECT_EQ(entries(open_directory(root, ".txt")), (std::set<Entry>{{1, "a.txt", root + "a.txt"}}));
    EXPECT_EQ(entries(open_directory(root, "")), (std::set<Entry>{{1, "a.txt", root + "a.txt"},
                                                                 {1, "b.TXT", root + "b.TXT"},
                                                                 {1, ".cfg", root + ".cfg"}}));
}

TEST_F(Listing, PathsAreJoinedByPlainConcatenation) {
    const std::string bare = tmp / "root";
    const auto list = entries(open_directory(bare));
    EXPECT_TRUE(list.count({1, "a.txt", bare + "a.txt"}));
    EXPECT_TRUE(list.count({0, "sub", bare + "sub/"}));
    std::vector<std::string> out;
    EXPECT_EQ(error_of([&] { find_files(bare, out); }).rfind("open_directory(): Couldn't open " + bare, 0), 0u);
}

TEST_F(Listing, FindFilesGoesDepthFirstAndAppends) {
    std::vector<std::string> out = {"z"};
    find_files(root, out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.front(), "z");
    const std::vector<std::string> found(out.begin() + 1, out.end());
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()),
              (std::set<std::string>{root + "a.txt", root + "b.TXT", root + ".cfg", root + "sub/c.txt",
                                     root + "sub/d.bin", root + "x.txt/e.txt", root + ".git/f"}));
    EXPECT_EQ(found.size(), 7u);
    // Everything below a subdirectory stands together, at its place.
    for (const std::string sub : {"sub/", "x.txt/", ".git/"}) {
        std::vector<std::size_t> at;
        for (std::size_t i = 0; i < found.size(); ++i)
            if (found[i].rfind(root + sub, 0) == 0) at.push_back(i);
        ASSERT_FALSE(at.empty());
        EXPECT_EQ(at.back() - at.front() + 1, at.size()) << sub;
    }
    std::vector<std::string> none;
    find_files(root + "empty/", none);
    EXPECT_TRUE(none.empty());
}

TEST_F(Listing, DirectoryThatCannotBeSearched) {
    std::vector<std::string> out = {"kept"};
    for (const std::string& dir : {root + "missing/", root + "a.txt/"}) {
        EXPECT_EQ(error_of([&] { open_directory(dir); }), "open_directory(): Couldn't open " + dir);
        EXPECT_EQ(error_of([&] { open_directory(dir, ".txt"); }), "open_directory(): Couldn't open " + dir);
        EXPECT_EQ(error_of([&] { find_files(dir, out); }), "open_directory(): Couldn't open " + dir);
    }
    EXPECT_EQ(out, std::vector<std::string>{"kept"});
}

TEST_F(Listing, DirOfMoreThan257BytesIsRefused) {
    // A directory whose path with '/' is exactly 257 bytes lists; one byte
    // more is refused before the platform is asked, whether it exists or not.
    std::string dir = tmp.path();
    while (dir.size() < 257 - 51) dir += std::string(50, 'n') + "/";
    dir += std::string(257 - dir.size() - 1, 'm') + "/";
    ASSERT_EQ(dir.size(), 257u);
    fs::create_directories(dir);
    write_file(dir + "f", "x");
    EXPECT_EQ(entries(open_directory(dir)), (std::set<Entry>{{1, "f", dir + "f"}}));
    const std::string longer = dir.substr(0, 256) + "//";
    EXPECT_EQ(error_of([&] { open_directory(longer); }), "open_directory(): Couldn't open " + longer);
    const std::string huge(5000, 'h');
    EXPECT_EQ(error_of([&] { open_directory(huge); }), "open_directory(): Couldn't open " + huge);
}

TEST_F(Listing, LinkBackToAnAncestorEndsWithAnError) {
    std::error_code ec;
    fs::create_directory_symlink(root, root + "sub/loop", ec);
#ifdef _WIN32
    if (ec) GTEST_SKIP() << "directory links cannot be made here: " << ec.message();
#endif
    ASSERT_FALSE(ec) << ec.message();
    std::vector<std::string> out;
    const std::string message = error_of([&] { find_files(root, out); });
    EXPECT_EQ(message.rfind("open_directory(): Couldn't open " + root, 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("open_directory(): Couldn't open ").size() + 257);
    // What was found before the walk ended stays; each is a real file.
    for (const std::string& p : out) EXPECT_TRUE(fs::is_regular_file(p)) << p;
}

}  // namespace
