// The fuzz seeds and every input that once failed a fuzzer, run again: the
// reader programs through the readers' harness (its checks abort on a wrong
// result), the kel files through the dump tool.
#include <algorithm>

#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> inputs(const std::string& harness) {
    std::vector<std::string> files;
    for (const char* kind : {"seeds", "regressions"}) {
        const fs::path dir = fs::path(KEL_FUZZ_DIR) / kind / harness;
        if (fs::is_directory(dir))
            for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path().generic_string());
    }
    return files;
}

TEST(FuzzInputs, Readers) {
    const std::vector<std::string> files = inputs("readers");
    ASSERT_FALSE(files.empty());
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        const std::string bytes = read_file(f);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
}

TEST(FuzzInputs, Dump) {
    const std::vector<std::string> files = inputs("dump");
    ASSERT_FALSE(files.empty());
    for (const std::string& f : files) {
        const Result r = run_kel({f});
        EXPECT_EQ(r.status, 0) << f;
        // Nothing on the error stream but, for a file that ends early, its one line.
        std::string err = r.err;
        err.erase(std::remove(err.begin(), err.end(), '\r'), err.end());
        EXPECT_TRUE(err.empty() || (err.rfind("Unexpected end of file at byte ", 0) == 0 &&
                                    err.find('\n') == err.size() - 1))
            << f << ": " << r.err;
    }
}

}  // namespace
