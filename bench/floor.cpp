// The floor of the dump's cost: reads a text file (the dump's output) once,
// then writes it to standard output line by line, one write call per line,
// as a dump that ends every line with a flush must.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: floor TEXTFILE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        if (write(1, text.data() + at, end - at) < 0) return 1;
        at = end;
    }
    return 0;
}
