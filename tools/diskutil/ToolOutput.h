#pragma once

#include <string>
#include <vector>

namespace diskutil {

// Runs a drive tool (argument vector, never a shell) and keeps what it printed, standard output
// and standard error together, for the firmware erase classes to read.
class ToolOutput {
public:
    // The exit status, or -1 when it could not run (or a stop was asked for); 127 when the
    // program is not in PATH. OUTPUT gets everything it printed.
    static int run(const std::vector<std::string>& argv, std::string& output);
    // The last line of OUTPUT that says something, for a message.
    static std::string lastLine(const std::string& output);
    // The unsigned number after "KEY": in a tool's JSON output; FALLBACK when there is none.
    static unsigned long long jsonNumber(const std::string& json, const std::string& key,
                                         unsigned long long fallback = 0);
    // The number after LABEL in OUTPUT ("max sectors   = " → 1000), decimal or 0x hex; false
    // when LABEL is missing or not followed by a number.
    static bool numberAfter(const std::string& output, const std::string& label,
                            unsigned long long& value, std::size_t from = 0);
};

} // namespace diskutil
