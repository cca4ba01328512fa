// Runs one library operation, for timing against the system's own tools.
//   libbench read FILE         file_read
//   libbench readbytes FILE    file_readbytes
//   libbench copy SRC DST      file_copy
//   libbench find DIR          find_files; prints the paths found
#include <cstdio>
#include <string>

#include "system.h"
#include "util.h"

int main(int argc, char** argv) {
    const std::string op = argc > 2 ? argv[1] : "";
    if (op == "read") return file_read(argv[2]).empty() ? 1 : 0;
    if (op == "readbytes") {
        std::vector<uint8_t> bytes;
        return file_readbytes(argv[2], bytes) && !bytes.empty() ? 0 : 1;
    }
    if (op == "copy" && argc == 4) {
        file_copy(argv[2], argv[3]);
        return 0;
    }
    if (op == "find") {
        std::vector<std::string> paths;
        find_files(argv[2], paths);
        for (const std::string& p : paths) std::printf("%s\n", p.c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: libbench read|readbytes FILE | copy SRC DST | find DIR\n");
    return 2;
}
