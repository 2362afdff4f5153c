# Runs at install time, when the prefix is known: the desktop launcher and the polkit policy, both
# naming the installed programs, and the link that puts korvane on PATH.
# Expects SOURCE_DIR, WORK_DIR, SYSTEM_DATADIR and BUNDLE_NAME; SYSTEM_BINDIR is optional (no
# link without it). file(INSTALL) adds DESTDIR by itself.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(bundle "${prefix}/${BUNDLE_NAME}")
set(LOADER_PATH "${bundle}/Contents/MacOS/KorvaneLoader")
set(MAIN_PATH_RAW "${bundle}/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/Korvane Data Eraser")

# The policy names the exact program pkexec may run; XML text needs its markup characters escaped.
string(REPLACE "&" "&amp;" MAIN_PATH "${MAIN_PATH_RAW}")
string(REPLACE "<" "&lt;" MAIN_PATH "${MAIN_PATH}")
string(REPLACE ">" "&gt;" MAIN_PATH "${MAIN_PATH}")

# Exec key of a desktop entry: one double-quoted argument, then escaped as a desktop string.
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${LOADER_PATH}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(LOADER_EXEC "\"${exec}\"")

# The desktop file's name is the application's id, as the AppStream metainfo's launchable says.
set(work "${WORK_DIR}")
configure_file("${SOURCE_DIR}/packaging/org.korvane.data-eraser.policy.in"
               "${work}/org.korvane.data-eraser.policy" @ONLY)
configure_file("${SOURCE_DIR}/packaging/org.korvane.data-eraser.desktop.in"
               "${work}/org.korvane.data-eraser.desktop" @ONLY)
file(INSTALL "${work}/org.korvane.data-eraser.policy"
     DESTINATION "${SYSTEM_DATADIR}/polkit-1/actions")
file(INSTALL "${work}/org.korvane.data-eraser.desktop"
     DESTINATION "${SYSTEM_DATADIR}/applications")

if(SYSTEM_BINDIR AND NOT "${SYSTEM_BINDIR}" STREQUAL "${prefix}/bin")
    file(MAKE_DIRECTORY "${work}/link")
    file(REMOVE "${work}/link/korvane")
    file(CREATE_LINK "${prefix}/bin/korvane" "${work}/link/korvane" SYMBOLIC)
    file(INSTALL "${work}/link/korvane" DESTINATION "${SYSTEM_BINDIR}")
endif()
