#pragma once

#include <ostream>
#include <string>

namespace srm {

// Where the tool speaks: progress on standard output (only when verbose), failures on standard
// error, each line starting with "srm: " and naming the path, the operation and errno's text.
class Reporter {
public:
    Reporter(std::ostream& out, std::ostream& err, bool verbose)
        : out_(out), err_(err), verbose_(verbose) {}

    // "srm: PATH: OPERATION: strerror(ERRNUM)"
    void failure(const std::string& path, const std::string& operation, int errnum);
    // "srm: PATH: MESSAGE" on standard error.
    void problem(const std::string& path, const std::string& message);
    // "srm: PATH: MESSAGE" on standard output, only when verbose.
    void progress(const std::string& path, const std::string& message);

    bool verbose() const { return verbose_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool verbose_;
};

} // namespace srm
