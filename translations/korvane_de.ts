<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutViewController</name>
    <message>
        <source>Version %1 (build %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built with these libraries, each under its own licence:
  Qt %1 — GNU LGPL 3.0
  SQLite %2 — public domain
  libplist — GNU LGPL 2.1 or later
  libmount and libblkid (util-linux) — GNU LGPL 2.1 or later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update check asks this address, and only when you press the button:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CertificateSettingsForm</name>
    <message>
        <source>Organisation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where erasures are done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Who erases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Who checks the erasure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure certificates name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Validator</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CleanerInterEndViewController</name>
    <message>
        <source>Cleaning finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some data was not removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) of data removed.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) could not be removed completely and keep their count.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Left alone because they are running: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not removed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not followed, left as they are:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CloseBrowerViewController</name>
    <message>
        <source>Close the browsers first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These browsers are running. Their data cannot be removed while they use it, and they would write it again. Close them now? Unsaved work in them is lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close and clean</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CookieKeepListViewController</name>
    <message>
        <source>Cookies to keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The cleaner leaves the cookies of these sites and of their subdomains in place, so that you stay signed in to them. All other cookies are removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>example.com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a site name: %1. Type a domain such as example.com.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list could not be saved: the settings store cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskCopySummary</name>
    <message>
        <source>nothing copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 copied%2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and verified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not copied (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of this copy could not be removed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No partial file was left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 that this copy had made and left empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 (%2) that a stopped copy had left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 that a stopped copy had left could not be removed: %2: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of another copy still running were left to it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskCopyViewController</name>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify: read every copy back from the disk and compare it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is already there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 exists. Replace it with the copy, keep both (the copy gets a new name), or skip this file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do the same for every other file already there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick what to copy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder to copy to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the free space…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping: the partial files and the empty folders this copy made are removed…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was copied: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskFormatViewController</name>
    <message>
        <source>Disk Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give a volume, a partition or a whole disk a new, empty file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mounted at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MBR (DOS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The partition table a whole disk gets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File system:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partition table:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for disks and volumes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole disk %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not mounted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No disks or volumes were found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have selected: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file-system tools are installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The volume will be named %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds the running system and cannot be formatted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The volume was not formatted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2, %3) is a %4 volume named &quot;%5&quot; holding %6. Everything on it is lost: it becomes an empty %7 volume named &quot;%8&quot;. This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 The new file system is an empty %2 volume named &quot;%3&quot; (%4). This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formatting %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Making a new %1 file system on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formatted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskToolViewController</name>
    <message>
        <source>Disk Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disks and their volumes: rename, mount, unmount, eject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mounted at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for disks…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, removable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not mounted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No disks were found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mounting %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is mounted at %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmounting %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ejecting %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 may be unplugged now.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DragView</name>
    <message>
        <source>Drop files and folders here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are listed first, so you can check them before anything is erased.
Erased items are overwritten and cannot be recovered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Files and Folders…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DriveListView</name>
    <message>
        <source>Drive or partition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bus / mounted at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Solid state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
sectors: %2 bytes logical, %3 bytes physical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not mounted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DuplicateDeleteProgressViewController</name>
    <message>
        <source>Removing copies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copies removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some copies stayed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>moved to the Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>erased securely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 copies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2, %3 freed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> once the Trash is emptied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The removal was stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not removed:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DuplicateResultView</name>
    <message>
        <source>Hard link of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shares its data with %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The same file as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep newest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep oldest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the one in folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving to the Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasing securely</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 copies of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 wasted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: removing it frees nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 identical bundles of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bundle: listed only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No duplicates found in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1: %2 of identical files (%3), %4 wasted; %5 of identical application bundles, %6 wasted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The search was stopped: these are only the duplicates found until then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 shares its storage with a copy that is kept: removing it would free nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every group keeps at least one copy: untick another copy of %1 first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the copies in this folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 without a copy in %2: left as chosen before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No copies chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 chosen, %2 to free</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DuplicateSearchView</name>
    <message>
        <source>Searching for duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DuplicateStartView</name>
    <message>
        <source>Duplicate Finder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find files and application bundles of identical content, and free the space their extra copies take</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder to search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>/home/you/Pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search hidden files and folders too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search the system folders too (when the folder is /)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing is changed while searching. Other names of one file and copies that share their data are shown as such: removing them frees nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder to search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a folder to search.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the folder&apos;s full path, starting with /.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read with the rights the program has.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DuplicateViewController</name>
    <message>
        <source>Collecting files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparing application bundles…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparing files…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EraserWC</name>
    <message>
        <source>Erase with Korvane Data Eraser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase this?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure was cancelled. Nothing was erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be found, so nothing was erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 will be overwritten with %2 (%n pass(es)) and removed, with everything in it. This cannot be undone.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Looking through it: %L1 items found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Earlier copies may remain on this copy-on-write volume: wipe its free space as well.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be erased completely; what is left is still on the disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportViewController</name>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure history was saved to
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure history could not be saved to
%1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserFailViewController</name>
    <message>
        <source>Erasure Not Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some items were not erased</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected items are gone, but some of what they held could not be overwritten.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items could not be erased completely and are still on the disk:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure was cancelled: the file under way was finished to the end of its pass and removed, files not reached were left untouched. What is still on the disk stays in the list, so that you can erase it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each item is recorded in the history with what was done to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each item is recorded in the history as Erased or Failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserListView</name>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop more files here to add them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items selected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserNtfsNotice</name>
    <message>
        <source>NTFS Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items on NTFS volumes cannot be added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files on NTFS volumes cannot be overwritten reliably by this program, so they were not added to the list and nothing on that volume was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserProgressViewController</name>
    <message>
        <source>Erasing Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasing files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard: %1. Please keep the window open until it has finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking through the selection: %L1 items found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserSortVC</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Descending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserSuccessViewController</name>
    <message>
        <source>Erasure Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item was overwritten and removed. It cannot be recovered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All %1 items were overwritten and removed. They cannot be recovered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure is recorded in the history.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase the free space of this volume now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserTableModel</name>
    <message>
        <source>Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileEraserViewController</name>
    <message>
        <source>Erase Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some items were not added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reveal in Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer there. It may have been moved, renamed or erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure tool cannot be used: %1. Nothing was erased; reinstalling the program restores the tool.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing can be erased</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left out, and not erased: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Earlier copies may remain on the copy-on-write volume of %1: wipe its free space as well (Erase Free Space) to remove them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure could not be recorded in the history: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FullDiskAccessViewController</name>
    <message>
        <source>The browser data cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryEntrySummary</name>
    <message>
        <source>Uninstaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate Finder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erased</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %n failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%n item(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryViewController</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no erasure history.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is locked by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no history database was found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure history cannot be read: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair keeps the damaged file aside and starts a new, empty history.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again once the other program has finished with it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair the erasure history?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure history at
%1
is damaged (%2).

The damaged file is kept, unchanged, at
%3
and a new, empty erasure history is started. The entries in the damaged file are no longer listed here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The damaged erasure history was kept at %1. A new, empty history was started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure history was not repaired: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>All %n entries of the erasure history are deleted for good, and the record of those erasures with them. What was erased stays erased.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Empty the erasure history?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The erasure history could not be emptied: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The entry %1 could not be deleted: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Erasure History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web page (*.html)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Erasure Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF document (*.pdf);;Web page (*.html);;Signed certificate (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InternetViewController</name>
    <message>
        <source>Internet Cleaner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the history, cookies, passwords and caches your browsers keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cookies to keep…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browsers and their data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not followed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not followed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not followed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not removed: %1 was running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for browsers…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No browser found</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n browser(s), </source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) of data chosen</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureCleanBrowsersViewController</name>
    <message>
        <source>Clean the chosen browser data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Remove %n kind(s) of browser data?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Removed entries are overwritten inside their databases and removed files are overwritten before they go. This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chosen kinds hold nothing at the moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passwords saved in %1 are removed: you will have to type them again on every site, and they cannot be brought back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What is marked &quot;unknown&quot; could not be read (the tooltip says why). The cleaner tries it anyway; what stays is named at the end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not followed, left as they are:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cookies of these sites are kept: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureDuplicateDeleteViewController</name>
    <message>
        <source>1 copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 copies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move %1 to the Trash?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase %1 securely?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each copy is first compared byte for byte with the copy kept in its place; a copy that differs, or changed since the search, is left alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted copies do not go to the Trash and cannot be brought back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erased copies are overwritten before they are removed and can never be brought back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
keeping %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureEraseProtectedViewController</name>
    <message>
        <source>Erase Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase these folders too?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selection holds folders that are rarely meant to be erased:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck them in the list to erase only the rest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Them Too</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureFileEraserViewControoler</name>
    <message>
        <source>Erase Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 selected items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Korvane Data Eraser will overwrite %1 with the standard &lt;b&gt;%2&lt;/b&gt; and then remove them. Folders are erased with everything inside them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This cannot be undone: erased items cannot be recovered by any means.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase 1 item?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase %1 items?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureUninstallViewController</name>
    <message>
        <source>Remove these applications?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected items are removed from the disk, not moved to the Trash. Files in the Downloads folder are not selected: they are often your own.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase securely: overwrite the related files before removing them (slower)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureWipeDiskViewController</name>
    <message>
        <source>Erase Hard Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureWipeDriveViewController</name>
    <message>
        <source>This cannot be erased</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase %1 drives?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing to erase.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing is erased. Choose again once this is put right:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This cannot be undone. Tick each to confirm:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase %1 Drives</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MakeSureWipeFreeSpaceViewController</name>
    <message>
        <source>Erase Free Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NTFSFileAlert</name>
    <message>
        <source>Korvane Data Eraser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This item is on an NTFS volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files on NTFS volumes cannot be overwritten reliably by this program, so nothing was erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NTFSViewController</name>
    <message>
        <source>NTFS volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The free space of NTFS volumes is not erased here. To erase such a volume completely, use Erase Hard Drive: it becomes an MS-DOS FAT32 volume named NEW.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Files and Folders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Method: overwrite with %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Method: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetEraserLevelVC</name>
    <message>
        <source>One pass of random data. Fast, and enough for today&apos;s hard disks and for solid-state drives.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two passes when wiping free space or a whole drive; files are overwritten once, as with the first standard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Three passes: two of random data, then a fixed pattern, as the U.S. Army prescribes for magnetic media.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seven passes of fixed patterns and random data, after the U.S. Department of Defense&apos;s extended method.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>35 passes tuned to old magnetic recording methods. Very slow; it adds nothing on modern drives.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose how many times erased data is overwritten. Items on solid-state drives always get a single pass.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemEraserViewController</name>
    <message>
        <source>Start-up volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The volume the system runs from cannot be erased whole. Use Erase Files for the files you want gone, and Erase Free Space for what was deleted before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UninstallProgressViewController</name>
    <message>
        <source>Removing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removal finished</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UninstallViewController</name>
    <message>
        <source>Uninstaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove applications with their settings, caches and data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plug-ins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   Applications(Total: %1 items)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   Items(Total: %1 items)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unselect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected: %1/%2 Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total: %1 Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total: %1 Items</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeDiskProViewController</name>
    <message>
        <source>Erasing the hard drive</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeDiskViewController</name>
    <message>
        <source>Erasure history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drives and partitions: every byte overwritten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mounted volumes: formatted anew, then overwritten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for volumes…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not among the volumes listed here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have selected: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasing free space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The wipe could not be recorded in the history: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeDriveEndViewController</name>
    <message>
        <source>Erased</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not begun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left alone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasure failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The wipe could not be recorded in the history: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeDriveProViewController</name>
    <message>
        <source>Erasing the drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erasing %1 drives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping after the chunk under way…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeFailViewController</name>
    <message>
        <source>Erasure failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The wipe was stopped before it was done; what it had written is removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operation was canceled by the user.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeFreeSpaceProViewController</name>
    <message>
        <source>Standard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping: the files written so far are being removed…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeSuccessViewController</name>
    <message>
        <source>Erasure complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeTimeEstimate</name>
    <message>
        <source>%1 × 1 pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time: about %1 (%2 at %3, as measured on this device).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time: about %1 (%2 at %3, a cautious speed; the real one depends on the device).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 left (estimate)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
