# Runs at install time, when the prefix is known: the settings store (kept when already
# installed), the desktop launcher and the polkit policy, both naming the installed programs.
# Expects SOURCE_DIR, WORK_DIR, SYSTEM_DATADIR, BUNDLE_NAME and EMPTY_HISTORY. file(INSTALL) adds
# DESTDIR by itself; only the existence test needs it spelled out.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(dest "$ENV{DESTDIR}")
set(bundle "${prefix}/${BUNDLE_NAME}")
set(LOADER_PATH "${bundle}/Contents/MacOS/KorvaneLoader")
set(MAIN_PATH_RAW "${bundle}/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/Korvane Data Eraser")
set(store "${dest}${bundle}/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/NexwipeBase.plist")

if(NOT EXISTS "${store}")
    message(STATUS "Installing: ${store}")
    file(INSTALL "${SOURCE_DIR}/app/Resources/NexwipeBase.plist"
         DESTINATION "${bundle}/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources")
else()
    message(STATUS "Keeping: ${store}")
endif()

# The history database likewise: an empty one the first time, the installed history afterwards.
# Readable by its owner only: it names what was erased.
set(history "${dest}${bundle}/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/DataBase.db")
if(NOT EMPTY_HISTORY)
    # Run on its own (without the build's install code): no database to install.
elseif(NOT EXISTS "${history}")
    file(INSTALL "${EMPTY_HISTORY}"
         DESTINATION "${bundle}/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources"
         PERMISSIONS OWNER_READ OWNER_WRITE)
else()
    message(STATUS "Keeping: ${history}")
endif()

# The policy names the exact program pkexec may run; XML text needs its markup characters escaped.
string(REPLACE "&" "&amp;" MAIN_PATH "${MAIN_PATH_RAW}")
string(REPLACE "<" "&lt;" MAIN_PATH "${MAIN_PATH}")
string(REPLACE ">" "&gt;" MAIN_PATH "${MAIN_PATH}")

# Exec key of a desktop entry: one double-quoted argument, then escaped as a desktop string.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${LOADER_PATH}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(LOADER_EXEC "\"${exec}\"")
set(ICON_PATH "${prefix}/share/korvane-data-eraser/korvane-data-eraser.svg")

set(work "${WORK_DIR}")
configure_file("${SOURCE_DIR}/packaging/org.korvane.data-eraser.policy.in"
               "${work}/org.korvane.data-eraser.policy" @ONLY)
configure_file("${SOURCE_DIR}/packaging/korvane-data-eraser.desktop.in"
               "${work}/korvane-data-eraser.desktop" @ONLY)
file(INSTALL "${work}/org.korvane.data-eraser.policy"
     DESTINATION "${SYSTEM_DATADIR}/polkit-1/actions")
file(INSTALL "${work}/korvane-data-eraser.desktop"
     DESTINATION "${SYSTEM_DATADIR}/applications")
