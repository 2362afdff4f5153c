#include "Reporter.h"

#include <cstring>

namespace srm {

void Reporter::failure(const std::string& path, const std::string& operation, int errnum) {
    err_ << "srm: " << path << ": " << operation << ": " << std::strerror(errnum) << std::endl;
}

void Reporter::problem(const std::string& path, const std::string& message) {
    err_ << "srm: " << path << ": " << message << std::endl;
}

void Reporter::progress(const std::string& path, const std::string& message) {
    if (verbose_) {
        out_ << "srm: " << path << ": " << message << std::endl;
    }
}

} // namespace srm
