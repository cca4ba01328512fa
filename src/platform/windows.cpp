#include "platform/platform.h"

// Windows refuses to open a directory as a file by itself.
bool open_for_reading(std::ifstream& in, const std::string& path, std::ios::openmode mode) {
    in.open(path, mode | std::ios::in);
    return in.is_open();
}
