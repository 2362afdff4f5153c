#include "Reporter.h"

#include <cstring>

namespace srm {

void Reporter::keep(const std::string& message) {
    if (reason_.empty()) {
        reason_ = message;
    }
}

void Reporter::failure(const std::string& path, const std::string& operation, int errnum) {
    const std::string message = operation + ": " + std::strerror(errnum);
    keep(message);
    err_ << "srm: " << path << ": " << message << std::endl;
}

void Reporter::problem(const std::string& path, const std::string& message) {
    keep(message);
    err_ << "srm: " << path << ": " << message << std::endl;
}

void Reporter::warning(const std::string& message) {
    err_ << "srm: " << message << std::endl;
}

void Reporter::progress(const std::string& path, const std::string& message) {
    if (verbose_) {
        out_ << "srm: " << path << ": " << message << std::endl;
    }
}

} // namespace srm
