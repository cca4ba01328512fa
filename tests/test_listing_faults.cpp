// The directory listing when the platform's search fails part-way, and the
// life of its search handles. Linked with --wrap for the search calls (GNU
// ld), so that a failure can be injected and every handle counted.
#include <algorithm>

#include "platform/platform.h"
#include "support.h"
#include "system.h"

extern "C" {
HANDLE __real_FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
BOOL __real_FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL __real_FindClose(HANDLE search);
DWORD __real_GetLastError();
}

namespace {

int open_handles = 0;
int most_open = 0;
int next_calls_before_failure = -1;  // -1: never fail
bool failed = false;

}  // namespace

extern "C" {

HANDLE __wrap_FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
    const HANDLE h = __real_FindFirstFileA(pattern, data);
    if (h != INVALID_HANDLE_VALUE) most_open = std::max(most_open, ++open_handles);
    return h;
}

BOOL __wrap_FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) {
    failed = next_calls_before_failure == 0;
    if (next_calls_before_failure >= 0) --next_calls_before_failure;
    return failed ? 0 : __real_FindNextFileA(search, data);
}

DWORD __wrap_GetLastError() { return failed ? ERROR_READ_FAULT : __real_GetLastError(); }

BOOL __wrap_FindClose(HANDLE search) {
    --open_handles;
    return __real_FindClose(search);
}
}

namespace {

class ListingFaults : public ::testing::Test {
protected:
    void SetUp() override {
        open_handles = most_open = 0;
        next_calls_before_failure = -1;
        failed = false;
        for (const char* f : {"a", "b", "c", "d", "sub/e", "sub/f", "sub/g", "sub/deeper/h"}) {
            fs::create_directories(fs::path(root + f).parent_path());
            write_file(root + f, f);
        }
    }

    TempDir tmp;
    const std::string root = tmp / "root/";
};

TEST_F(ListingFaults, EveryHandleIsClosedAndOnlyOneIsOpenAtATime) {
    EXPECT_EQ(open_directory(root).size(), 5u);
    EXPECT_EQ(open_handles, 0);
    std::vector<std::string> out;
    find_files(root, out);
    EXPECT_EQ(out.size(), 8u);
    EXPECT_EQ(open_handles, 0);
    EXPECT_EQ(most_open, 1);
}

TEST_F(ListingFaults, AFailedSearchIsNeverAPartialListing) {
    for (int before_failure : {0, 1, 3}) {
        next_calls_before_failure = before_failure;
        EXPECT_EQ(error_of([&] { open_directory(root); }), "open_directory(): Couldn't open " + root);
        EXPECT_EQ(open_handles, 0);
    }
    next_calls_before_failure = 2;
    EXPECT_THROW(open_directory(root, ""), std::runtime_error);
    EXPECT_EQ(open_handles, 0);
}

TEST_F(ListingFaults, FindFilesKeepsWhatItFoundAndNamesTheFailedDirectory) {
    // The root lists in full (5 entries and "." ".."); the failure hits the
    // first subdirectory searched below it.
    next_calls_before_failure = 7 + 2;
    std::vector<std::string> out = {"kept"};
    EXPECT_EQ(error_of([&] { find_files(root, out); }), "open_directory(): Couldn't open " + root + "sub/");
    EXPECT_EQ(out.front(), "kept");
    for (std::size_t i = 1; i < out.size(); ++i) EXPECT_EQ(out[i].find(root + "sub/"), std::string::npos) << out[i];
    EXPECT_EQ(open_handles, 0);
}

}  // namespace
