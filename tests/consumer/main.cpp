#include <cstdio>
#include <sstream>

#include "system.h"
#include "util.h"

int main() {
    std::istringstream in(std::string("\xD2\x04\x00\x00", 4));
    std::printf("%u %d %s\n", read_uint32(in), int(has_suffix("a.kel", ".kel")), tolowercase("KELUTIL").c_str());
    return 0;
}
