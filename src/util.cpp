#include "util.h"

#include <cctype>
#include <fstream>

#include "platform/platform.h"

bool has_suffix(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool splitpath(const std::string& path, std::string& dir, std::string& file) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    // Both parts are taken before either is stored, so path may be dir or file.
    std::string before = path.substr(0, slash);
    std::string after = path.substr(slash + 1);
    dir = std::move(before);
    file = std::move(after);
    return true;
}

std::string tolowercase(const std::string& s) {
    std::string lower(s);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool file_readlines(const std::string& path, std::vector<std::string>& lines) {
    // Read in binary and apply the Windows text-mode rules here, so that the
    // lines are the same on every platform.
    std::ifstream in;
    if (!open_for_reading(in, path, std::ios::binary)) return false;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t ctrl_z = line.find('\x1A');
        if (ctrl_z != std::string::npos)
            line.resize(ctrl_z);
        else if (!in.eof() && !line.empty() && line.back() == '\r')  // the CR of a CR LF pair
            line.pop_back();
        if (!line.empty()) lines.push_back(line);
        if (ctrl_z != std::string::npos) break;
    }
    return true;
}

bool file_readbytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in;
    if (!open_for_reading(in, path, std::ios::binary)) return false;
    // Measure where the file can seek, so that a regular file is read in one
    // step into a vector grown once; go on in blocks for whatever the size did
    // not cover (a pipe or device, or a file that grew).
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (!in) in.clear();
    const std::size_t before = bytes.size();
    constexpr std::size_t block = std::size_t(1) << 16;
    std::size_t have = before;
    std::size_t want = size > 0 ? std::size_t(size) : block;
    try {
        if (size > 0) {
            bytes.reserve(have + want);
            expect_full_write(bytes.data() + have, want);
        }
        for (;;) {
            bytes.resize(have + want);
            in.read(reinterpret_cast<char*>(bytes.data() + have), std::streamsize(want));
            have += std::size_t(in.gcount());
            if (!in || in.peek() == std::char_traits<char>::eof()) break;
            want = block;
        }
        bytes.resize(have);
    } catch (...) {
        bytes.resize(before);
        throw;
    }
    return true;
}
