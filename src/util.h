// Utility helpers: path and string helpers, and whole-file loaders that
// report a file that cannot be opened by returning false. Strings are byte
// strings: every byte value, NUL included, is data.
#ifndef KEL_UTIL_H
#define KEL_UTIL_H

#include <cstdint>
#include <string>
#include <vector>

// True when s ends with suffix, compared byte for byte (case-sensitive). An
// empty suffix matches every string.
bool has_suffix(const std::string& s, const std::string& suffix);

// Splits path at its last '/' (the only separator) into the part before it
// and the part after it. False, with dir and file untouched, for an empty
// path or one without '/'.
bool splitpath(const std::string& path, std::string& dir, std::string& file);

// A copy with 'A' to 'Z' made lower case; every other byte is unchanged.
std::string tolowercase(const std::string& s);

// Appends the non-empty lines of a text file, read as the Windows C runtime's
// text mode delivers them on every platform: a CR LF pair ends a line without
// its CR, a lone CR is data, and a byte 0x1A ends the input.
bool file_readlines(const std::string& path, std::vector<std::string>& lines);

// Appends the file's bytes, unchanged, to bytes; false, with bytes as it was,
// when the file cannot be opened. Files of any size, and files that cannot
// seek, load whole.
bool file_readbytes(const std::string& path, std::vector<uint8_t>& bytes);

#endif
