// System helpers: binary stream readers, file and process helpers, directory
// listing.
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

#endif
