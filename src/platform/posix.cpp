#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

thread_local DWORD last_error = 0;

DWORD error_from_errno(int e) {
    switch (e) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_READ_FAULT;
    }
}

struct Search {
    DIR* dir;
};

// Fills data from the next directory entry; false at the end or on an error.
bool next_entry(Search& s, WIN32_FIND_DATAA& data) {
    errno = 0;
    const dirent* e = readdir(s.dir);
    if (!e) {
        last_error = errno ? error_from_errno(errno) : ERROR_NO_MORE_FILES;
        return false;
    }
    bool directory = e->d_type == DT_DIR;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {  // follow links, as Windows reports the target
        struct stat st;
        directory = fstatat(dirfd(s.dir), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    data.dwFileAttributes = directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    std::strncpy(data.cFileName, e->d_name, MAX_PATH - 1);
    data.cFileName[MAX_PATH - 1] = '\0';
    return true;
}

// True when part and its NUL fit a buffer of size bytes.
bool fits(const std::string& part, std::size_t size) { return part.size() < size; }

// Stores part where the caller asked for it (out may be null).
void put_part(char* out, const std::string& part) {
    if (out) std::memcpy(out, part.c_str(), part.size() + 1);
}

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
    std::string dir = pattern;
    if (dir.size() < 2 || dir.compare(dir.size() - 2, 2, "\\*") != 0) {
        last_error = ERROR_PATH_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    dir.resize(dir.size() - 2);
    if (dir.empty()) dir = "/";
    DIR* d = opendir(dir.c_str());
    if (!d) {
        last_error = error_from_errno(errno);
        return INVALID_HANDLE_VALUE;
    }
    auto* s = new Search{d};
    if (!next_entry(*s, *data)) {
        FindClose(s);
        last_error = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    return s;
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data) {
    return next_entry(*static_cast<Search*>(search), *data);
}

BOOL FindClose(HANDLE search) {
    auto* s = static_cast<Search*>(search);
    const bool closed = closedir(s->dir) == 0;
    delete s;
    return closed;
}

DWORD GetLastError() { return last_error; }

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
    if (module) {
        last_error = ERROR_INVALID_HANDLE;
        return 0;
    }
    std::string path(4096, '\0');
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", &path[0], path.size());
        if (n < 0) {
            last_error = error_from_errno(errno);
            return 0;
        }
        if (std::size_t(n) < path.size()) {
            path.resize(std::size_t(n));
            break;
        }
        path.resize(path.size() * 2);
    }
    if (size == 0) {
        last_error = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    if (path.size() >= size) {  // cut, NUL-terminated, as Windows does
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        last_error = ERROR_INSUFFICIENT_BUFFER;
        return size;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return DWORD(path.size());
}

int _access(const char* path, int mode) { return access(path, mode) == 0 ? 0 : -1; }

int _mkdir(const char* path) { return mkdir(path, 0777) == 0 ? 0 : -1; }

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    std::string rest = path;
    std::string drv;
    if (rest.size() >= 2 && rest[1] == ':' && ((rest[0] | 0x20) >= 'a' && (rest[0] | 0x20) <= 'z')) {
        drv = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const std::size_t slash = rest.find_last_of("/\\");
    const std::size_t name_at = slash == std::string::npos ? 0 : slash + 1;
    const std::string d = rest.substr(0, name_at);
    std::string name = rest.substr(name_at);
    const std::size_t dot = name.find_last_of('.');
    const std::string e = dot == std::string::npos ? std::string() : name.substr(dot);
    name.resize(name.size() - e.size());
    const bool ok = fits(drv, _MAX_DRIVE) && fits(d, _MAX_DIR) && fits(name, _MAX_FNAME) && fits(e, _MAX_EXT);
    put_part(drive, ok ? drv : std::string());
    put_part(dir, ok ? d : std::string());
    put_part(fname, ok ? name : std::string());
    put_part(ext, ok ? e : std::string());
}

bool open_for_reading(std::ifstream& in, const std::string& path, std::ios::openmode mode) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    in.open(path, mode | std::ios::in);
    return in.is_open();
}

bool same_file(const std::string& a, const std::string& b) {
    struct stat x, y;
    return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

bool write_stdout(const char* data, std::size_t size) {
    // Straight to the file descriptor: no stdio buffer to go through and flush.
    while (size > 0) {
        const ssize_t n = write(STDOUT_FILENO, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

void expect_full_write(void* start, std::size_t size) {
    // madvise takes whole pages: the ones that lie inside the range.
    const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = (std::uintptr_t(start) + page - 1) / page * page;
    const std::uintptr_t end = (std::uintptr_t(start) + size) / page * page;
#ifdef MADV_HUGEPAGE
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}
