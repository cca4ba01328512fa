// libFuzzer harness for the dump: the input is a kel file, walked whole on an
// in-memory stream with the output discarded. A file that ends early is an
// expected outcome; anything else thrown (std::bad_alloc) is a finding.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <sstream>
#include <string>

void kel_list(std::istream& in);

extern "C" int LLVMFuzzerInitialize(int*, char***) {
#ifdef _WIN32
    return std::freopen("NUL", "w", stdout) ? 0 : 1;
#else
    return std::freopen("/dev/null", "w", stdout) ? 0 : 1;
#endif
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::in | std::ios::binary);
    try {
        kel_list(in);
    } catch (const std::exception&) {
        throw;
    } catch (...) {  // the dump's own end-of-file stop
    }
    return 0;
}
