// Every cut of every sample file: the dump prints exactly the full dump's
// lines up to the field the cut falls in, then one error line naming the
// path, the field's offset and the bytes it needed against those left.
#include <algorithm>

#include "support.h"

namespace {

// Where each field of a kel file starts, how wide it is, and how many line
// ends the dump has written before it is read. Worked out from the format,
// independently of the tool.
struct FieldAt {
    uint64_t start, width, newlines_before;
};

class Layout {
public:
    explicit Layout(const std::string& bytes) : bytes_(bytes) { walk(); }
    const std::vector<FieldAt>& fields() const { return fields_; }

private:
    uint32_t u32_at(uint64_t at) const {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(bytes_.at(at + i));
        return v;
    }
    // A fixed-width field printed on `lines` lines; returns its value.
    uint32_t field(uint64_t width, uint64_t lines) {
        fields_.push_back({pos_, width, newlines_});
        const uint32_t v = width == 4 ? u32_at(pos_) : 0;
        pos_ += width;
        newlines_ += lines;
        return v;
    }
    // A length-prefixed string printed on one line (its own newlines too).
    void text() {
        const uint32_t n = field(4, 0);
        const uint64_t width = n > 0x7FFFFFFFu ? 0 : n;
        const uint64_t inside = std::count(bytes_.begin() + pos_, bytes_.begin() + pos_ + width, '\n');
        field(width, 1 + inside);
    }
    void walk() {
        newlines_ = 1;  // the heading line
        for (int i = 0; i < 5; ++i) field(4, 1);  // version, count1, header floats
        const uint32_t records = field(4, 1);
        for (uint32_t r = 0; r < records; ++r) {
            ++newlines_;  // empty line
            text();
            field(4, 1);
            text();
            for (int i = 0; i < 3; ++i) field(4, 1);
        }
        field(4, 2);  // "\nSome: " lines
        const uint32_t entries = field(4, 2);
        for (uint64_t i = 0; i < uint64_t(entries) * 4; ++i) field(4, 1);
        text();
        field(4, 1);
        field(4, 1);
        const uint32_t blocks = std::max<uint32_t>(field(4, 1), 1);
        for (uint32_t b = 0; b < blocks; ++b) {
            if (b > 0) ++newlines_;  // empty line
            for (int i = 0; i < (b == 0 ? 13 : 14); ++i) field(4, 1);
        }
    }

    const std::string& bytes_;
    std::vector<FieldAt> fields_;
    uint64_t pos_ = 0, newlines_ = 0;
};

// The text up to and including its n-th newline.
std::string first_lines(const std::string& text, uint64_t n) {
    std::size_t at = 0;
    for (uint64_t i = 0; i < n; ++i) at = text.find('\n', at) + 1;
    return text.substr(0, at);
}

class Cuts : public ::testing::TestWithParam<const char*> {};

TEST_P(Cuts, EveryPrefixEndsAtItsLastWholeValue) {
    const std::string bytes = read_file(std::string(KEL_SAMPLES_DIR) + "/" + GetParam());
    ASSERT_GE(bytes.size(), 100u);
    TempDir tmp;
    const std::string full_path = tmp / "full.kel";
    write_file(full_path, bytes);
    const Result full = run_kel({full_path});
    ASSERT_EQ(full.err, "");
    // The full dump with its heading stripped, in plain newlines.
    std::string dump = full.out.substr(platform_text("#### Filename: " + full_path + "\n").size());
    dump.erase(std::remove(dump.begin(), dump.end(), '\r'), dump.end());
    ASSERT_EQ(platform_text("#### Filename: " + full_path + "\n" + dump), full.out);
    const Layout layout(bytes);
    ASSERT_EQ(layout.fields().back().start + layout.fields().back().width, bytes.size());

    // Cuts are dumped in batches, several paths to one run.
    constexpr std::size_t batch = 40;
    for (std::size_t first = 0; first < bytes.size(); first += batch) {
        std::vector<std::string> paths;
        std::string out, err;
        for (std::size_t cut = first; cut < std::min(bytes.size(), first + batch); ++cut) {
            const std::string path = tmp / ("cut" + std::to_string(cut) + ".kel");
            write_file(path, bytes.substr(0, cut));
            paths.push_back(path);
            const auto& f = *std::find_if(layout.fields().begin(), layout.fields().end(),
                                          [&](const FieldAt& f) { return f.start + f.width > cut; });
            out += "#### Filename: " + path + "\n" + first_lines("\n" + dump, f.newlines_before).substr(1);
            err += "Unexpected end of file at byte " + std::to_string(f.start) + " reading @(" +
                   std::to_string(f.width) + " bytes, " + std::to_string(cut - f.start) + " left): " + path + "\n";
        }
        const Result r = run_kel(paths);
        ASSERT_EQ(r.status, 0);
        ASSERT_EQ(r.out, platform_text(out));
        // Field names are checked elsewhere; here everything around them.
        std::string err_seen = r.err;
        for (std::size_t at = 0; (at = err_seen.find(" reading ", at)) != std::string::npos;) {
            const std::size_t paren = err_seen.find(" (", at);
            ASSERT_NE(paren, std::string::npos);
            err_seen.replace(at + 9, paren + 1 - (at + 9), "@");
            at += 10;
        }
        ASSERT_EQ(err_seen, platform_text(err));
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, Cuts, ::testing::Values("smallest.kel", "stations.kel", "strings.kel"));

}  // namespace
