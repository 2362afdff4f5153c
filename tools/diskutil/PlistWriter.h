#pragma once

#include "DiskCatalog.h"
#include "VolumeFacts.h"

#include <string>
#include <vector>

namespace diskutil {

// XML property lists of volumes, in the form the volume modules read.
class PlistWriter {
public:
    static std::string volume(const VolumeFacts& facts);
    static std::string volumes(const std::vector<VolumeFacts>& all);
    // The disks, each with its volumes under "Partitions".
    static std::string disks(const std::vector<DiskCatalog::Disk>& all);

private:
    static std::string dictionary(const VolumeFacts& facts, const std::string& indent);
};

} // namespace diskutil
