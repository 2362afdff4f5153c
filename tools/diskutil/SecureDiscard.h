#pragma once

#include "FirmwareEraser.h"

namespace diskutil {

// `blkdiscard --secure` over the whole device, where the kernel's driver passes a secure erase
// on to the device (eMMC and SD cards mostly). The kernel tells no such capability ahead: the
// device is a candidate when it takes discards at all (queue/discard_max_bytes > 0), and the
// ioctl itself says "Operation not supported" before touching anything when it cannot.
class SecureDiscard : public FirmwareEraser {
public:
    Offers probe(const std::string& device) const override;
    Status start(const std::string& device, const FirmwareErase& erase) const override;
    Status poll(const std::string& device) const override;
};

} // namespace diskutil
