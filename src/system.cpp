#include "system.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/platform.h"
#include "util.h"

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

// Longest module path asked of the platform; Windows paths end at 32767.
constexpr std::size_t kMaxModulePath = std::size_t(1) << 16;

// Closes a directory search on every way out.
struct SearchHandle {
    HANDLE handle;
    explicit SearchHandle(HANDLE h) : handle(h) {}
    SearchHandle(const SearchHandle&) = delete;
    SearchHandle& operator=(const SearchHandle&) = delete;
    ~SearchHandle() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};

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

void wait() {
    std::fputs("\nPress Enter to continue...\n", stdout);
    std::fflush(stdout);
    std::getchar();
}

bool file_exists(const std::string& path) { return _access(path.c_str(), 4) == 0; }

int create_dir(const std::string& path) { return _mkdir(path.c_str()); }

void create_hierachy(const std::string& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '/') continue;
        const std::string prefix = path.substr(0, i);
        if (!file_exists(prefix)) create_dir(prefix);
    }
}

std::string get_exe_path() {
    // Grow the buffer until the whole path fits: a cut path is never used.
    std::string module(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, &module[0], DWORD(module.size()));
        if (n == 0) return "";
        if (n < module.size()) {
            module.resize(n);
            break;
        }
        if (module.size() >= kMaxModulePath) return "";
        module.resize(module.size() * 2);
    }
    if (module.size() < std::size_t(_MAX_DIR)) {  // every part fits _splitpath's buffers
        char drive[_MAX_DRIVE], dir[_MAX_DIR];
        _splitpath(module.c_str(), drive, dir, nullptr, nullptr);
        return std::string(drive) + dir;
    }
    // Beyond them, the same cut made here: just after the last separator.
    return module.substr(0, module.find_last_of("\\/") + 1);
}

void file_copy(const std::string& source, const std::string& destination) {
    std::ifstream in;
    if (!open_for_reading(in, source, std::ios::binary)) throw std::runtime_error("Couldn't open " + source);
    // Truncating the destination would empty a source that is the same file.
    if (same_file(source, destination)) return;
    std::ofstream out(destination, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Couldn't open " + destination);
    char block[4096];
    while (in) {
        in.read(block, sizeof block);
        out.write(block, in.gcount());
    }
    // A destination that could not be written whole is no copy.
    out.close();
    if (!out) throw std::runtime_error("Couldn't write " + destination);
}

std::vector<uint8_t> file_read(const std::string& path) {
    std::ifstream in;
    if (!open_for_reading(in, path, std::ios::binary)) throw std::runtime_error("file_read: couldn't open " + path);
    std::vector<uint8_t> bytes;
    uint8_t block[4096];
    while (in) {
        in.read(reinterpret_cast<char*>(block), sizeof block);
        bytes.insert(bytes.end(), block, block + in.gcount());
    }
    return bytes;
}

std::vector<DirectoryEntry> open_directory(const std::string& dir) {
    const std::string error = "open_directory(): Couldn't open " + dir;
    // The pattern "dir\*" and its NUL must fit MAX_PATH bytes.
    if (dir.size() > MAX_PATH - 3) throw std::runtime_error(error);
    const std::string pattern = std::string(dir.c_str()) + "\\*";
    WIN32_FIND_DATAA match;
    const SearchHandle search{FindFirstFileA(pattern.c_str(), &match)};
    if (search.handle == INVALID_HANDLE_VALUE) throw std::runtime_error(error);
    std::vector<DirectoryEntry> entries;
    do {
        const std::string name = match.cFileName;
        if (!(match.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            entries.push_back({1, name, dir + name});
        else if (name != "." && name != "..")
            entries.push_back({0, name, dir + name + "/"});
    } while (FindNextFileA(search.handle, &match));
    // A listing cut short by an error is never passed off as complete.
    if (GetLastError() != ERROR_NO_MORE_FILES) throw std::runtime_error(error);
    return entries;
}

std::vector<DirectoryEntry> open_directory(const std::string& dir, const std::string& suffix) {
    std::vector<DirectoryEntry> files;
    for (DirectoryEntry& e : open_directory(dir))
        if (e.kind == 1 && has_suffix(e.name, suffix)) files.push_back(std::move(e));
    return files;
}

void find_files(const std::string& dir, std::vector<std::string>& out) {
    for (const DirectoryEntry& e : open_directory(dir)) {
        if (e.kind == 0)
            find_files(e.path, out);
        else
            out.push_back(e.path);
    }
}
