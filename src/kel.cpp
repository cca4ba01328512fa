// kel: prints the contents of kel files as readable text, one value per line.
//
//   kel FILE...
//
// For each path: a heading line, then every field of the file in file order.
// A path that cannot be opened gets an error line and is skipped. A file that
// ends early is dumped up to its last whole value, followed by one error line
// that says where it ended and what was being read.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/platform.h"
#include "system.h"

void kel_list(std::istream& in);

namespace {

// A field of the walk, named for error messages as a reader of the format
// would: "[group item ]what[ index]", e.g. "record 3 float 1".
struct Field {
    const char* what;
    uint32_t index = 0;
    const char* group = nullptr;
    uint64_t item = 0;
};

std::string field_name(const Field& f) {
    std::string name;
    if (f.group) name = std::string(f.group) + ' ' + std::to_string(f.item) + ' ';
    name += f.what;
    if (f.index) name += ' ' + std::to_string(f.index);
    return name;
}

// A read the file could not satisfy: where it began, which field it was, how
// many bytes it needed and how many were left.
struct UnexpectedEnd {
    uint64_t offset;
    Field field;
    uint64_t need;
    uint64_t left;
};

// Standard output refused a line.
struct OutputFailed {};

// Line output to standard output. A line is put together in a reused buffer
// and ended by a newline, then handed to the system in one write as soon as
// it is complete (a newline and a flush).
class Lines {
public:
    template <class... Parts>
    void line(const Parts&... parts) {
        (put(parts), ...);
        buf_ += '\n';
        const bool written = write_stdout(buf_.data(), buf_.size());
        buf_.clear();
        if (!written) throw OutputFailed{};
    }

private:
    void put(const std::string& s) { buf_ += s; }
    void put(const char* s) { buf_ += s; }

    void put(uint32_t value) {
        char digits[16];
        buf_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }

    // Six significant digits in general notation, as printf's "%g" writes them.
    void put(float value) {
        char text[32];
        buf_.append(text, std::to_chars(text, text + sizeof text, double(value), std::chars_format::general, 6).ptr);
    }

    std::string buf_;
};

// The walk over one kel file. Every value is printed as soon as it is read
// whole; a value the file cannot supply stops the walk with UnexpectedEnd
// before anything of it (label included) is printed.
class Walk {
public:
    explicit Walk(std::istream& in) : in_(in) {}

    uint32_t uint32(const Field& f) {
        const uint32_t v = read_uint32(in_);
        took(4, f);
        return v;
    }

    float real(const Field& f) {
        const float v = read_float(in_);
        took(4, f);
        return v;
    }

    // A length-prefixed string. A byte count of 2^31 or more is a negative
    // count to the string reader: an empty string, nothing consumed. The bytes
    // are read in blocks into one reused buffer, so a count larger than the
    // file ends at the end of the file having held no more than the file has.
    const std::string& text(const Field& length, const Field& bytes) {
        const uint32_t n = uint32(length);
        text_.clear();
        if (n > uint32_t(INT32_MAX)) return text_;
        constexpr std::size_t step = std::size_t(1) << 16;
        while (text_.size() < n) {
            const std::size_t had = text_.size();
            const std::size_t want = std::min<std::size_t>(step, n - had);
            text_.resize(had + want);
            in_.read(&text_[had], std::streamsize(want));
            if (std::size_t(in_.gcount()) != want)
                throw UnexpectedEnd{offset_, bytes, n, had + std::size_t(in_.gcount())};
        }
        offset_ += n;
        return text_;
    }

private:
    void took(uint64_t width, const Field& f) {
        if (!in_) throw UnexpectedEnd{offset_, f, width, uint64_t(in_.gcount())};
        offset_ += width;
    }

    std::istream& in_;
    uint64_t offset_ = 0;
    std::string text_;
};

void print_block(Walk& walk, Lines& out, uint64_t block, uint32_t floats) {
    for (uint32_t i = 1; i <= floats; ++i) out.line(walk.real({"float", i, "block", block}));
    for (uint32_t i = 1; i <= 2; ++i) out.line("INT: ", walk.uint32({"INT", i, "block", block}));
}

// One line on the error stream, flushed.
void error_line(const std::string& text) {
    std::fputs((text + '\n').c_str(), stderr);
    std::fflush(stderr);
}

void report(const UnexpectedEnd& e, const std::string& path) {
    error_line("Unexpected end of file at byte " + std::to_string(e.offset) + " reading " + field_name(e.field) + " (" +
               std::to_string(e.need) + " bytes, " + std::to_string(e.left) + " left): " + path);
}

}  // namespace

void kel_list(std::istream& in) {
    Walk walk(in);
    Lines out;
    out.line("version: ", walk.uint32({"version"}));
    out.line("count1:  ", walk.uint32({"count1"}));
    for (uint32_t i = 1; i <= 3; ++i) out.line(walk.real({"header float", i}));

    const uint32_t records = walk.uint32({"count2"});
    out.line("count2:  ", records);
    for (uint64_t r = 1; r <= records; ++r) {
        out.line();
        out.line(walk.text({"name length", 0, "record", r}, {"name", 0, "record", r}));
        out.line("Zero: ", walk.uint32({"Zero", 0, "record", r}));
        out.line("\"", walk.text({"text length", 0, "record", r}, {"text", 0, "record", r}), "\"");
        for (uint32_t i = 1; i <= 3; ++i) out.line(walk.real({"float", i, "record", r}));
    }

    out.line("\nSome: ", walk.uint32({"first Some value"}));
    const uint32_t entries = walk.uint32({"entry count"});
    out.line("\nSome: ", entries);
    for (uint64_t e = 1; e <= entries; ++e)
        for (uint32_t i = 1; i <= 4; ++i) out.line(walk.uint32({"value", i, "entry", e}));

    out.line("\"", walk.text({"block header text length"}, {"block header text"}), "\"");
    out.line(walk.uint32({"block header word", 1}));
    out.line(walk.uint32({"block header word", 2}));
    const uint32_t blocks = walk.uint32({"block count"});
    out.line(blocks);

    // The first block is there whatever the count says, so a count of 0
    // reads as 1.
    print_block(walk, out, 1, 11);
    for (uint64_t b = 2; b <= blocks; ++b) {
        out.line();
        print_block(walk, out, b, 12);
    }
}

int main(int argc, char** argv) {
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string path = argv[i];
            std::ifstream in;
            if (!open_for_reading(in, path, std::ios::binary)) {
                error_line("Couldn't oppen: " + path);
                continue;
            }
            Lines().line("#### Filename: ", path);
            try {
                kel_list(in);
            } catch (const UnexpectedEnd& e) {
                report(e, path);
            }
        }
    } catch (const OutputFailed&) {
        error_line("kel: standard output could not be written");
        return 1;
    }
    return 0;
}
