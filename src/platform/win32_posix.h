// A stand-in, for POSIX systems, for the few Win32 and C runtime services the
// library uses, under their Windows names. It provides just what the library
// relies on:
//   FindFirstFileA  takes a pattern "DIR\*" and lists DIR ("\*" alone lists
//                   the root); "." and ".." are delivered like any entry; the
//                   directory bit follows symbolic links.
//   FindNextFileA   the next entry; at the end, GetLastError() gives
//                   ERROR_NO_MORE_FILES, after a failed read another code.
//   GetModuleFileNameA  with no module: the running executable's path. A
//                   buffer too small gets the cut path, returns its size and
//                   sets ERROR_INSUFFICIENT_BUFFER.
//   _access         mode 0 tests existence, 4 read, 2 write permission.
//   _mkdir          creates one directory.
//   _splitpath      '/' and '\' separate; a leading letter and colon is the
//                   drive. A part too long for its buffer gives empty parts.
#ifndef KEL_WIN32_POSIX_H
#define KEL_WIN32_POSIX_H

#include <cstdint>

using DWORD = uint32_t;
using BOOL = int;
using HANDLE = void*;
using HMODULE = void*;

constexpr DWORD MAX_PATH = 260;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NO_MORE_FILES = 18;
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t(-1));

constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    char cFileName[MAX_PATH];
};

// C linkage, as on Windows.
extern "C" {
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE search);
DWORD GetLastError();
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

int _access(const char* path, int mode);
int _mkdir(const char* path);
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
}

#endif
