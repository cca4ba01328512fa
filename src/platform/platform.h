// The platform services the library is written against. On Windows they are
// the real Win32 and C runtime calls; elsewhere a stand-in with the same
// names and the behaviour the library relies on (win32_posix.h).
#ifndef KEL_PLATFORM_H
#define KEL_PLATFORM_H

#include <fstream>
#include <string>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <stdlib.h>
#include <windows.h>
#else
#include "platform/win32_posix.h"
#endif

// Opens path for reading with the given mode (std::ios::in is added). A
// directory is not a file and is never opened, on any platform.
bool open_for_reading(std::ifstream& in, const std::string& path, std::ios::openmode mode);

// Writes data to standard output and passes it on to the system at once (a
// newline is written as the platform's text mode writes it). False when it
// cannot be written.
bool write_stdout(const char* data, std::size_t size);

// A hint that the memory [start, start + size) is about to be written whole,
// so that the system may back it with large pages: a large load then takes
// far fewer page faults. It changes nothing else.
void expect_full_write(void* start, std::size_t size);

// True when both paths exist and name the same file, whatever the spelling
// (hard and symbolic links included).
bool same_file(const std::string& a, const std::string& b);

#endif
