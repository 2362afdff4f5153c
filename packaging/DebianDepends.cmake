# Debian (12, bookworm) packages the program needs beside the libraries it links, which
# dpkg-shlibdeps finds (Qt 6 Core/Gui/Widgets/Svg/SvgWidgets/DBus/Network/Concurrent, libplist,
# SQLite, libmount, libblkid, libsodium). Qt loads the rest by name; the programs are run by name.
# Named by package, never by file. tests/packaging checks the package's Depends against this.
#
# Qt plugins: the xcb and offscreen platforms are in libqt6gui6 (Debian 12; qt6-qpa-plugins holds
# only vnc and tuio), the SVG image and icon engines in libqt6svg6: both come by shlibdeps.
set(KORVANE_DEB_DEPENDS
    # The privileged start (platform/PrivilegedLauncher) and removals as root.
    "pkexec"
    # Fonts the window, the reports and the certificates name (NexwipeBase.plist, Certificate*).
    "fonts-dejavu-core"
    # diskutil: mount, umount (mount); partx, blkdiscard (util-linux); sfdisk (fdisk).
    "mount" "util-linux" "fdisk"
    # Format and rename (tools/diskutil VolumeFormatter, VolumeChanger, DeviceTools):
    # mkfs.ext4, e2label, tune2fs; mkfs.vfat, fatlabel; mkfs.exfat, exfatlabel;
    # mkfs.ntfs, ntfslabel, mount.ntfs-3g.
    "e2fsprogs" "dosfstools" "exfatprogs" "ntfs-3g"
    # Mounting FAT and exFAT where the kernel lacks the driver (DeviceTools::mountCommand).
    "fusefat" "exfat-fuse"
    # eject (VolumeChanger), /bin/kill (BrowserCloser).
    "eject" "procps")
set(KORVANE_DEB_RECOMMENDS
    # Formats the disk tool offers only when their tools are there (app/RepairDisk/DiskTool).
    "btrfs-progs" "xfsprogs"
    # The light face of the window's font.
    "fonts-dejavu-extra"
    # Drive facts on certificates (smartctl) and firmware sanitize of wipe-drive --method
    # (hdparm for ATA, nvme for NVMe, sg_sanitize/sg_opcodes/sg_requests for SCSI).
    "smartmontools" "hdparm" "nvme-cli" "sg3-utils")
set(KORVANE_DEB_SUGGESTS
    # Powering off an ejected disk; settling after a new partition table (udevadm).
    "udisks2" "udev"
    # Removing applications installed that way (the uninstaller).
    "flatpak" "snapd")
list(JOIN KORVANE_DEB_DEPENDS ", " KORVANE_DEB_DEPENDS)
list(JOIN KORVANE_DEB_RECOMMENDS ", " KORVANE_DEB_RECOMMENDS)
list(JOIN KORVANE_DEB_SUGGESTS ", " KORVANE_DEB_SUGGESTS)
