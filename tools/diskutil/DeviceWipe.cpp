#include "DeviceWipe.h"

#include "DeviceWiper.h"
#include "StopRequest.h"
#include "SystemRandom.h"
#include "SystemVolumes.h"
#include "WipeMethod.h"

#include <algorithm>
#include <cstdlib>
#include <sys/random.h>

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

std::string hex(const srm::ChaCha20::Key& key) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : key) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

bool parseKey(const std::string& text, srm::ChaCha20::Key& key) {
    if (text.size() != key.size() * 2)
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const std::string pair = text.substr(i * 2, 2);
        if (pair.find_first_not_of("0123456789abcdef") != std::string::npos)
            return false;
        key[i] = std::uint8_t(std::strtoul(pair.c_str(), nullptr, 16));
    }
    return true;
}

std::string describe(const std::vector<srm::Pass>& passes) {
    std::string text;
    for (const srm::Pass& pass : passes)
        text += (text.empty() ? "" : ",") + pass.describe();
    return text;
}

// The passes TEXT lists, when they are the level's own (in any order: the 35-pass scheme
// orders its patterns at random).
bool parsePasses(const std::string& text, std::vector<srm::Pass>& passes) {
    std::vector<std::string> listed, levels;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        listed.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    for (const srm::Pass& pass : passes)
        levels.push_back(pass.describe());
    std::vector<std::string> a = listed, b = levels;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b)
        return false;
    std::vector<srm::Pass> ordered;
    for (const std::string& name : listed)
        ordered.push_back(
            passes[std::size_t(std::find(levels.begin(), levels.end(), name) - levels.begin())]);
    passes = ordered;
    return true;
}

bool parseFrom(const std::string& text, int& pass, std::uint64_t& offset) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size() ||
        text.find_first_not_of("0123456789:") != std::string::npos || colon > 4 ||
        text.size() - colon > 21)
        return false;
    pass = std::atoi(text.substr(0, colon).c_str());
    offset = std::strtoull(text.c_str() + colon + 1, nullptr, 10);
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
    const bool resuming = !request.from.empty();
    if (resuming != !request.key.empty() || resuming != !request.passes.empty()) {
        err_ << "diskutil: --from, --key and --passes go together\n";
        return 2;
    }
    // What is gone on with is an overwrite: a firmware erase, once started, is the drive's own.
    if (resuming && request.method == "sanitize") {
        err_ << "diskutil: --from goes on with an overwrite, not a sanitize\n";
        return 2;
    }
    srm::ChaCha20::Key key{};
    if (resuming) {
        if (!parseKey(request.key, key) || !parsePasses(request.passes, options.passes) ||
            !parseFrom(request.from, options.fromPass, options.fromOffset)) {
            err_ << "diskutil: --key takes 64 hex digits, --passes the level's passes, --from "
                    "PASS:OFFSET\n";
            return 2;
        }
    } else if (::getrandom(key.data(), key.size(), 0) != ssize_t(key.size())) {
        err_ << "diskutil: no random key\n";
        return 1;
    }
    options.key = key;
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
            WipeMethod(out_, err_)
                .eraseOrRefuse(device, resuming ? "overwrite" : request.method,
                               options.passes.size()))
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
    // The key is that of the overwrite's random stream, not of anything kept: no secret.
    out_ << "plan " << hex(key) << ' ' << describe(options.passes) << std::endl;
    options.checkpoint = [this](int pass, std::uint64_t offset) {
        out_ << "checkpoint " << pass << ' ' << offset << std::endl;
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
