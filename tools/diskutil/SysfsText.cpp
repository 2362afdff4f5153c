#include "SysfsText.h"

#include <fstream>

namespace diskutil {

std::string SysfsText::firstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

} // namespace diskutil
