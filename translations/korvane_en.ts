<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AppsCommand</name>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AppsRemoveFormatter</name>
    <message numerus="yes">
        <source>%1 of %n item(s) removed (what was under way was finished); the others were not removed</source>
        <extracomment>%1 is how many were removed.</extracomment>
        <translation>
            <numerusform>%1 of %n item removed (what was under way was finished); the others were not removed</numerusform>
            <numerusform>%1 of %n items removed (what was under way was finished); the others were not removed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BrowerObj</name>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BrowsersCleanFormatter</name>
    <message numerus="yes">
        <source>%n kind(s) removed, %2 not%3.</source>
        <extracomment>%2 is how many kinds were not removed, %3 the browsers left alone or nothing.</extracomment>
        <translation>
            <numerusform>%n kind removed, %2 not%3.</numerusform>
            <numerusform>%n kinds removed, %2 not%3.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BrowsersCommand</name>
    <message numerus="yes">
        <source>%n browser(s)</source>
        <translation>
            <numerusform>%n browser</numerusform>
            <numerusform>%n browsers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CleanerInterEndViewController</name>
    <message numerus="yes">
        <source>%n kind(s) of data removed.</source>
        <translation>
            <numerusform>%n kind of data removed.</numerusform>
            <numerusform>%n kinds of data removed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) could not be removed completely and keep their count.</source>
        <translation>
            <numerusform>%n kind could not be removed completely and keeps its count.</numerusform>
            <numerusform>%n kinds could not be removed completely and keep their count.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CliOutput</name>
    <message numerus="yes">
        <source>%n pass(es)</source>
        <translation>
            <numerusform>%n pass</numerusform>
            <numerusform>%n passes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CliProgressPrinter</name>
    <message numerus="yes">
        <source>Counting: %n entries so far...</source>
        <translation>
            <numerusform>Counting: %n entry so far...</numerusform>
            <numerusform>Counting: %n entries so far...</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CliReportFormatter</name>
    <message numerus="yes">
        <source>%1 of %n done; the others were not</source>
        <extracomment>%1 is how many were done.</extracomment>
        <translation>
            <numerusform>%1 of %n done; the others were not</numerusform>
            <numerusform>%1 of %n done; the others were not</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CopyCommand</name>
    <message numerus="yes">
        <source>Removed %n partial file(s) (%1) that stopped copies had left under %2</source>
        <extracomment>%1 is the size, %2 the folder.</extracomment>
        <translation>
            <numerusform>Removed %n partial file (%1) that stopped copies had left under %2</numerusform>
            <numerusform>Removed %n partial files (%1) that stopped copies had left under %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DiskCopySummary</name>
    <message numerus="yes">
        <source>%n partial file(s)</source>
        <translation>
            <numerusform>%n partial file</numerusform>
            <numerusform>%n partial files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s)</source>
        <translation>
            <numerusform>%n folder</numerusform>
            <numerusform>%n folders</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicateDeleteProgressViewController</name>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n copy</numerusform>
            <numerusform>%n copies</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicateResultView</name>
    <message numerus="yes">
        <source>%n groups</source>
        <translation>
            <numerusform>%n group</numerusform>
            <numerusform>%n groups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n copy</numerusform>
            <numerusform>%n copies</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copies of %1</source>
        <translation>
            <numerusform>%n copy of %1</numerusform>
            <numerusform>%n copies of %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n identical bundles of %1</source>
        <translation>
            <numerusform>%n identical bundle of %1</numerusform>
            <numerusform>%n identical bundles of %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicatesCommand</name>
    <message numerus="yes">
        <source>%n copies of %1 (%2 bytes), %3 wasted:</source>
        <extracomment>%1 the size, %2 the exact count of bytes, %3 the space the copies take.</extracomment>
        <translation>
            <numerusform>%n copy of %1 (%2 bytes), %3 wasted:</numerusform>
            <numerusform>%n copies of %1 (%2 bytes), %3 wasted:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n identical bundle(s) of %1:</source>
        <translation>
            <numerusform>%n identical bundle of %1:</numerusform>
            <numerusform>%n identical bundles of %1:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n group(s)</source>
        <translation>
            <numerusform>%n group</numerusform>
            <numerusform>%n groups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s), %1 wasted</source>
        <translation>
            <numerusform>%n file, %1 wasted</numerusform>
            <numerusform>%n files, %1 wasted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bundle group(s), %1 wasted</source>
        <translation>
            <numerusform>%n bundle group, %1 wasted</numerusform>
            <numerusform>%n bundle groups, %1 wasted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>(%n file(s) compared)</source>
        <translation>
            <numerusform>(%n file compared)</numerusform>
            <numerusform>(%n files compared)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicatesDeleteFormatter</name>
    <message numerus="yes">
        <source>%n removed (%1), %2 not removed, %3 freed once the Trash is emptied</source>
        <extracomment>%1 says how, %2 counts those not removed, %3 is a size.</extracomment>
        <translation>
            <numerusform>%n removed (%1), %2 not removed, %3 freed once the Trash is emptied</numerusform>
            <numerusform>%n removed (%1), %2 not removed, %3 freed once the Trash is emptied</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n removed (%1), %2 not removed, %3 freed</source>
        <translation>
            <numerusform>%n removed (%1), %2 not removed, %3 freed</numerusform>
            <numerusform>%n removed (%1), %2 not removed, %3 freed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n copies removed; the %2 listed as kept and the %3 not reached stay where they are.</source>
        <extracomment>%1 removed, %2 kept, %3 not reached.</extracomment>
        <translation>
            <numerusform>%1 of %n copy removed; the %2 listed as kept and the %3 not reached stay where they are.</numerusform>
            <numerusform>%1 of %n copies removed; the %2 listed as kept and the %3 not reached stay where they are.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EraseReport</name>
    <message numerus="yes">
        <source>%1 is on a copy-on-write volume. Overwriting a file there cannot reach the copies the file system keeps of it: wipe the free space of the volume as well (Erase Free Space) to remove them.</source>
        <extracomment>%1 names the paths; the count chooses &quot;is&quot; or &quot;are&quot;.</extracomment>
        <translation>
            <numerusform>%1 is on a copy-on-write volume. Overwriting a file there cannot reach the copies the file system keeps of it: wipe the free space of the volume as well (Erase Free Space) to remove them.</numerusform>
            <numerusform>%1 are on a copy-on-write volume. Overwriting a file there cannot reach the copies the file system keeps of it: wipe the free space of the volume as well (Erase Free Space) to remove them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) erased</source>
        <translation>
            <numerusform>%Ln file erased</numerusform>
            <numerusform>%Ln files erased</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EraseReportFormatter</name>
    <message numerus="yes">
        <source>%n file(s) erased</source>
        <translation>
            <numerusform>%n file erased</numerusform>
            <numerusform>%n files erased</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1; %2 of %n path(s) erased, what is left of the others is listed above.</source>
        <extracomment>%1 counts the files, %2 how many of the paths were erased.</extracomment>
        <translation>
            <numerusform>%1; %2 of %n path erased, what is left of the others is listed above.</numerusform>
            <numerusform>%1; %2 of %n paths erased, what is left of the others is listed above.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EraserWC</name>
    <message numerus="yes">
        <source>%1 will be overwritten with %2 (%n pass(es)) and removed, with everything in it. This cannot be undone.</source>
        <translation>
            <numerusform>%1 will be overwritten with %2 (%n pass) and removed, with everything in it. This cannot be undone.</numerusform>
            <numerusform>%1 will be overwritten with %2 (%n passes) and removed, with everything in it. This cannot be undone.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Looking through it: %Ln items found</source>
        <translation>
            <numerusform>Looking through it: %Ln item found</numerusform>
            <numerusform>Looking through it: %Ln items found</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n items</source>
        <translation>
            <numerusform>%1 of %n item</numerusform>
            <numerusform>%1 of %n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserFailViewController</name>
    <message numerus="yes">
        <source>%1 of %n items could not be erased completely and are still on the disk:</source>
        <translation>
            <numerusform>%1 of %n item could not be erased completely and is still on the disk:</numerusform>
            <numerusform>%1 of %n items could not be erased completely and are still on the disk:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserListView</name>
    <message numerus="yes">
        <source>%1 of %n items selected</source>
        <translation>
            <numerusform>%1 of %n item selected</numerusform>
            <numerusform>%1 of %n items selected</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserProgressViewController</name>
    <message numerus="yes">
        <source>Looking through the selection: %Ln items found</source>
        <translation>
            <numerusform>Looking through the selection: %Ln item found</numerusform>
            <numerusform>Looking through the selection: %Ln items found</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n items</source>
        <translation>
            <numerusform>%1 of %n item</numerusform>
            <numerusform>%1 of %n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserSuccessViewController</name>
    <message numerus="yes">
        <source>All %n items were overwritten and removed. They cannot be recovered.</source>
        <translation>
            <numerusform>The item was overwritten and removed. It cannot be recovered.</numerusform>
            <numerusform>All %n items were overwritten and removed. They cannot be recovered.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message numerus="yes">
        <source>%1 takes %n operand(s)</source>
        <translation>
            <numerusform>%1 takes %n operand</numerusform>
            <numerusform>%1 takes %n operands</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryDeleteFormatter</name>
    <message numerus="yes">
        <source>Delete all %n history entries? This cannot be undone.</source>
        <translation>
            <numerusform>Delete the %n history entry? This cannot be undone.</numerusform>
            <numerusform>Delete all %n history entries? This cannot be undone.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryEntrySummary</name>
    <message numerus="yes">
        <source>%1 of %n failed</source>
        <translation>
            <numerusform>%1 of %n failed</numerusform>
            <numerusform>%1 of %n failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryViewController</name>
    <message numerus="yes">
        <source>All %n entries of the erasure history are deleted for good, and the record of those erasures with them. What was erased stays erased.</source>
        <translation>
            <numerusform>The one entry of the erasure history is deleted for good, and the record of that erasure with it. What was erased stays erased.</numerusform>
            <numerusform>All %n entries of the erasure history are deleted for good, and the record of those erasures with them. What was erased stays erased.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InternetViewController</name>
    <message numerus="yes">
        <source>%n browser(s), </source>
        <translation>
            <numerusform>%n browser, </numerusform>
            <numerusform>%n browsers, </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) of data chosen</source>
        <translation>
            <numerusform>%n kind of data chosen</numerusform>
            <numerusform>%n kinds of data chosen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureCleanBrowsersViewController</name>
    <message numerus="yes">
        <source>Remove %n kind(s) of browser data?</source>
        <translation>
            <numerusform>Remove %n kind of browser data?</numerusform>
            <numerusform>Remove %n kinds of browser data?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureDuplicateDeleteViewController</name>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n copy</numerusform>
            <numerusform>%n copies</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureFileEraserViewControoler</name>
    <message numerus="yes">
        <source>the %n selected items</source>
        <translation>
            <numerusform>the selected item</numerusform>
            <numerusform>the %n selected items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Erase %n items?</source>
        <translation>
            <numerusform>Erase %n item?</numerusform>
            <numerusform>Erase %n items?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureWipeDriveViewController</name>
    <message numerus="yes">
        <source>Erase %n drives?</source>
        <translation>
            <numerusform>Erase %n drive?</numerusform>
            <numerusform>Erase %n drives?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Erase %n Drives</source>
        <translation>
            <numerusform>Erase %n Drive</numerusform>
            <numerusform>Erase %n Drives</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SizeText</name>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UninstallViewController</name>
    <message numerus="yes">
        <source>Selected: %1 of %n items</source>
        <translation>
            <numerusform>Selected: %1 of %n item</numerusform>
            <numerusform>Selected: %1 of %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Total: %n items</source>
        <translation>
            <numerusform>Total: %n item</numerusform>
            <numerusform>Total: %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>   Applications (total: %n)</source>
        <translation>
            <numerusform>   Applications (total: %n)</numerusform>
            <numerusform>   Applications (total: %n)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>   Items (total: %n)</source>
        <translation>
            <numerusform>   Items (total: %n)</numerusform>
            <numerusform>   Items (total: %n)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WipeDriveProViewController</name>
    <message numerus="yes">
        <source>Erasing %n drives</source>
        <translation>
            <numerusform>Erasing %n drive</numerusform>
            <numerusform>Erasing %n drives</numerusform>
        </translation>
    </message>
</context>
</TS>
