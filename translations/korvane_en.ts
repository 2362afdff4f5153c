<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
