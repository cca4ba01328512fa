// A small program the tests run as a child process:
//   probe wait       calls wait(), then writes "rest:" and what is left on
//                    standard input
//   probe exe-path FILE   writes get_exe_path() to FILE
#include <cstdio>
#include <string>

#include "system.h"

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "wait") {
        wait();
        std::fputs("rest:", stdout);
        for (int c; (c = std::getchar()) != EOF;) std::putchar(c);
        return 0;
    }
    if (what == "exe-path" && argc == 3) {
        std::FILE* out = std::fopen(argv[2], "wb");
        if (!out) return 1;
        std::fputs(get_exe_path().c_str(), out);
        return std::fclose(out) == 0 ? 0 : 1;
    }
    return 2;
}
