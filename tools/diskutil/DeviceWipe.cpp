#include "DeviceWipe.h"

#include "DeviceWiper.h"
#include "StopRequest.h"
#include "SystemRandom.h"
#include "SystemVolumes.h"
#include "WipeMethod.h"

#include <cstdlib>

namespace diskutil {

namespace {

// The passes srm runs for LEVEL (its scheme, then zeros), as the erasure standards name them.
bool passesFor(int level, std::vector<srm::Pass>& passes) {
    srm::Scheme scheme;
    switch (level) {
    case 1:
    case 2:
        scheme = srm::Scheme::OnePass;
        break;
    case 3:
        scheme = srm::Scheme::ThreePass;
        break;
    case 7:
        scheme = srm::Scheme::SevenPass;
        break;
    case 35:
        scheme = srm::Scheme::ThirtyFive;
        break;
    default:
        return false;
    }
    srm::SystemRandom random;
    passes = srm::PassPlan::make(scheme, true, random);
    return true;
}

bool parseVerify(const std::string& text, DeviceWiper::Options& options) {
    if (text == "last" || text == "all" || text == "none") {
        options.verify = text == "last"  ? DeviceWiper::Verify::Last
                         : text == "all" ? DeviceWiper::Verify::All
                                         : DeviceWiper::Verify::None;
        return true;
    }
    if (text.rfind("sample:", 0) != 0)
        return false;
    const int percent = std::atoi(text.c_str() + 7);
    if (percent < 1 || percent > 100 || text.size() > 10)
        return false;
    options.verify = DeviceWiper::Verify::Sample;
    options.samplePercent = percent;
    return true;
}

// DEVICE itself or one of its partitions ("/dev/sdb" holds "/dev/sdb1", "/dev/loop0p2").
bool onDevice(const std::string& source, const std::string& device) {
    if (source == device)
        return true;
    if (source.compare(0, device.size(), device) != 0 || source.size() == device.size())
        return false;
    const char next = source[device.size()];
    return (next >= '0' && next <= '9') || next == 'p';
}

} // namespace

int DeviceWipe::run(const Request& request) const {
    DeviceWiper::Options options;
    if (!passesFor(request.level, options.passes)) {
        err_ << "diskutil: no erasure standard of level " << request.level
             << " (use 1, 2, 3, 7 or 35)\n";
        return 2;
    }
    if (!parseVerify(request.verify, options)) {
        err_ << "diskutil: --verify takes last, all, sample:PERCENT or none\n";
        return 2;
    }
    if (!WipeMethod::known(request.method)) {
        err_ << "diskutil: --method takes overwrite, sanitize or auto\n";
        return 2;
    }
    const std::string& device = request.device;
    if (const std::string why = SystemVolumes(mounts_, {}).whyNeeded(device); !why.empty()) {
        err_ << "diskutil: refused: " << why << "\n";
        return 1;
    }
    for (const MountEntry& mount : mounts_.entries()) {
        if (onDevice(mount.source, device)) {
            err_ << "diskutil: refused: " << mount.source << " is mounted at " << mount.target
                 << ": unmount it first\n";
            return 1;
        }
    }
    if (const std::optional<int> end =
            WipeMethod(out_, err_).eraseOrRefuse(device, request.method, options.passes.size()))
        return *end;
    int shown = -1;
    const auto progress = [&](const char* step, int pass, int passes, std::uint64_t done,
                              std::uint64_t total) {
        const int permille = total > 0 ? int(done * 1000 / total) : 0;
        if (permille == shown && done < total)
            return;
        shown = permille;
        out_ << "progress " << step << ' ' << pass << ' ' << passes << ' ' << done << ' ' << total
             << std::endl;
    };
    const DeviceWiper::Result result =
        DeviceWiper().wipe(device, options, progress, [] { return StopRequest::requested(); });
    if (result.stopped) {
        return StopRequest::reportStopped(
            device,
            "overwritten in part (" + std::to_string(result.passesDone) + " of " +
                std::to_string(options.passes.size()) + " passes complete)",
            err_);
    }
    if (!result.ok) {
        err_ << "diskutil: " << result.error << "\n";
        return 1;
    }
    out_ << "wiped " << device << ' ' << result.deviceBytes << " passes " << result.passesDone
         << " verified " << result.verifiedBytes << std::endl;
    return 0;
}

} // namespace diskutil
