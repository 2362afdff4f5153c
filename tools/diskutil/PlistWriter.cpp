#include "PlistWriter.h"

namespace diskutil {
namespace {

const char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                       "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                       "<plist version=\"1.0\">\n";
const char kFooter[] = "</plist>\n";

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            // Control characters are not allowed in XML 1.0; names never need them.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
                out += c;
            }
        }
    }
    return out;
}

} // namespace

std::string PlistWriter::dictionary(const VolumeFacts& f, const std::string& in) {
    std::string out = in + "<dict>\n";
    auto key = [&](const char* name) { out += in + "\t<key>" + std::string(name) + "</key>\n"; };
    auto text = [&](const char* name, const std::string& value) {
        key(name);
        out += in + "\t<string>" + escaped(value) + "</string>\n";
    };
    auto number = [&](const char* name, std::uint64_t value) {
        key(name);
        out += in + "\t<integer>" + std::to_string(value) + "</integer>\n";
    };
    auto flag = [&](const char* name, bool value) {
        key(name);
        out += in + (value ? "\t<true/>\n" : "\t<false/>\n");
    };
    text("BusProtocol", f.busProtocol);
    text("DeviceNode", f.deviceNode);
    flag("Ejectable", f.ejectable);
    text("FilesystemName", f.filesystemName);
    text("FilesystemType", f.type);
    number("FreeSpace", f.freeSpace);
    text("MountPoint", f.mountPoint);
    text("ParentWholeDisk", f.parentWholeDisk);
    flag("SolidState", f.solidState);
    number("TotalSize", f.totalSize);
    text("VolumeName", f.volumeName);
    text("VolumeUUID", f.uuid);
    return out + in + "</dict>\n";
}

std::string PlistWriter::volume(const VolumeFacts& facts) {
    return kHeader + dictionary(facts, "") + kFooter;
}

std::string PlistWriter::volumes(const std::vector<VolumeFacts>& all) {
    std::string out = std::string(kHeader) + "<array>\n";
    for (const VolumeFacts& facts : all) {
        out += dictionary(facts, "\t");
    }
    return out + "</array>\n" + kFooter;
}

std::string PlistWriter::disks(const std::vector<DiskCatalog::Disk>& all) {
    std::string out = std::string(kHeader) + "<array>\n";
    for (const DiskCatalog::Disk& disk : all) {
        out += "\t<dict>\n";
        auto text = [&](const char* name, const std::string& value) {
            out += "\t\t<key>" + std::string(name) + "</key>\n\t\t<string>" + escaped(value) +
                   "</string>\n";
        };
        text("BusProtocol", disk.busProtocol);
        text("ContentIdentity", disk.contentIdentity);
        text("Contents", disk.contents);
        text("DeviceIdentifier", disk.name);
        text("DeviceNode", disk.deviceNode);
        text("MediaName", disk.model);
        out += "\t\t<key>Partitions</key>\n\t\t<array>\n";
        for (const VolumeFacts& volume : disk.volumes) {
            out += dictionary(volume, "\t\t\t");
        }
        out += "\t\t</array>\n";
        text("PartitionTable", disk.partitionTable);
        out += std::string("\t\t<key>Removable</key>\n\t\t") +
               (disk.removable ? "<true/>\n" : "<false/>\n");
        text("Serial", disk.serial);
        out += std::string("\t\t<key>SolidState</key>\n\t\t") +
               (disk.solidState ? "<true/>\n" : "<false/>\n");
        out += "\t\t<key>LogicalBlockSize</key>\n\t\t<integer>" +
               std::to_string(disk.logicalBlockSize) + "</integer>\n";
        out += "\t\t<key>PhysicalBlockSize</key>\n\t\t<integer>" +
               std::to_string(disk.physicalBlockSize) + "</integer>\n";
        out +=
            "\t\t<key>TotalSize</key>\n\t\t<integer>" + std::to_string(disk.size) + "</integer>\n";
        out += "\t</dict>\n";
    }
    return out + "</array>\n" + kFooter;
}

} // namespace diskutil
