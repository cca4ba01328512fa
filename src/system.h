// System helpers: binary stream readers, file and process helpers, directory
// listing. Paths are byte strings handed to the platform unchanged. Failures
// to open a file or a directory throw std::runtime_error with a message made
// of a fixed prefix and the path.
//
// Byte encoding of the binary fields. Fields are packed with no alignment.
//   uint16, int32, uint32  little-endian: the first byte is the least
//                          significant; int32 is two's complement.
//   float                  IEEE 754 binary32, little-endian.
//   float (reverse)        IEEE 754 binary32, big-endian.
//   Vector3                three little-endian floats, x then y then z.
//   byte run of n bytes    n raw bytes, no length and no terminator.
//   NUL-terminated string  k non-zero bytes, then one byte 0.
//   length-prefixed string a uint32 byte count n, then a run of n bytes
//                          (read_uint32, then read_string with n).
//
// The readers never test, clear, seek or close the stream and never throw; a
// caller that needs to know tests the stream afterwards. At the end of the
// stream the block readers (read_uint16, read_int32, read_uint32, read_float)
// keep the bytes that were there at the low-order end and fill the rest with
// 0; they take their field with one istream::read, so gcount() tells how many
// bytes were there. The byte readers (read_float_reverse, read_string,
// read_bytes) enter every missing byte as 0xFF.
#ifndef KEL_SYSTEM_H
#define KEL_SYSTEM_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct Vector3 {
    float x, y, z;  // in read order
};

uint16_t read_uint16(std::istream& in);
int32_t read_int32(std::istream& in);
uint32_t read_uint32(std::istream& in);
float read_float(std::istream& in);
float read_float_reverse(std::istream& in);
Vector3 read_vector(std::istream& in);

// Exactly count bytes (none for count <= 0); past the end of the stream the
// missing bytes are 0xFF. Memory grows with the bytes the stream really has
// until its end is reached; the 0xFF tail is then added in one step.
std::string read_string(std::istream& in, int32_t count);
std::vector<uint8_t> read_bytes(std::istream& in, int32_t count);

// The bytes up to the next byte 0, which is consumed and not stored. At the
// end of the stream it returns the bytes read so far.
std::string read_string0(std::istream& in);

// Writes "\nPress Enter to continue..." and a line end, then takes one
// character from standard input (returns at once at its end).
void wait();

// True when path exists and may be read; directories count.
bool file_exists(const std::string& path);

// Creates the directory path (its parent must exist): 0, or -1 when not
// created.
int create_dir(const std::string& path);

// Creates every missing directory before each '/' of path, shortest first.
// The part after the last '/' is taken to be a file name and not created.
void create_hierachy(const std::string& path);

// The running executable's directory with its trailing separator, or an
// empty string where it cannot be had.
std::string get_exe_path();

// Copies source to destination byte for byte, creating or truncating the
// destination; copying a file onto itself leaves it as it is. Throws
// "Couldn't open " + the path that cannot be opened, and "Couldn't write " +
// destination when it cannot be written whole (a full disk).
void file_copy(const std::string& source, const std::string& destination);

// The whole file. Throws "file_read: couldn't open " + path.
std::vector<uint8_t> file_read(const std::string& path);

// One entry of a directory listing. kind is 1 for a file, 0 for a directory;
// path is the listed dir followed by name, and for a directory a further "/".
struct DirectoryEntry {
    int32_t kind;
    std::string name;
    std::string path;
};

// Every entry of dir except "." and "..", in the platform's order. dir must
// end with a separator ('/' or '\'), since paths are joined by plain
// concatenation. A dir that cannot be searched, or of more than 257 bytes,
// throws "open_directory(): Couldn't open " + dir.
std::vector<DirectoryEntry> open_directory(const std::string& dir);

// The file entries of dir whose name ends with suffix (case-sensitive).
std::vector<DirectoryEntry> open_directory(const std::string& dir, const std::string& suffix);

// Appends the path of every file below dir, depth first: everything below a
// subdirectory stands at the subdirectory's place. On an error the paths
// found so far stay in out.
void find_files(const std::string& dir, std::vector<std::string>& out);

#endif
