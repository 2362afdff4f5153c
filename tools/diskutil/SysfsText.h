#pragma once

#include <string>

namespace diskutil {

// What the kernel tells in one of its small text files (/sys/class/block/…/size, …/serial).
class SysfsText {
public:
    // The first line of PATH without the spaces some drives pad it with; empty when unreadable.
    static std::string firstLine(const std::string& path);
};

} // namespace diskutil
