#pragma once

#include <ostream>
#include <string>

namespace srm {

// Where the tool speaks: progress on standard output (only when verbose), failures on standard
// error, each line starting with "srm: " and naming the path, the operation and errno's text.
// The first failure since beginItem() is also kept without its path, as the reason a caller of
// the batch mode hears for that item.
class Reporter {
public:
    Reporter(std::ostream& out, std::ostream& err, bool verbose)
        : out_(out), err_(err), verbose_(verbose) {}

    // "srm: PATH: OPERATION: strerror(ERRNUM)"
    void failure(const std::string& path, const std::string& operation, int errnum);
    // "srm: PATH: MESSAGE" on standard error.
    void problem(const std::string& path, const std::string& message);
    // "srm: MESSAGE" on standard error, kept from no item: what the run as a whole could not do.
    void warning(const std::string& message);
    // "srm: PATH: MESSAGE" on standard output, only when verbose.
    void progress(const std::string& path, const std::string& message);

    bool verbose() const { return verbose_; }

    // Forgets the reason kept for the previous item.
    void beginItem() { reason_.clear(); }
    // The first failure or problem since beginItem(), without the path ("" when none).
    const std::string& reason() const { return reason_; }

private:
    void keep(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
    bool verbose_;
    std::string reason_;
};

} // namespace srm
