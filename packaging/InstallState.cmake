# `make install` only (install component "state"; the Debian package's postinst does the same
# from PREFIX/share/korvane-data-eraser/defaults): the settings store and an empty history in the
# installed bundle, each only when none is there, so that installing again keeps what the
# program wrote. Expects SOURCE_DIR, BUNDLE_NAME and EMPTY_HISTORY.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(dest "$ENV{DESTDIR}")
set(resources "${prefix}/${BUNDLE_NAME}/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources")

if(NOT EXISTS "${dest}${resources}/NexwipeBase.plist")
    message(STATUS "Installing: ${dest}${resources}/NexwipeBase.plist")
    file(INSTALL "${SOURCE_DIR}/app/Resources/NexwipeBase.plist" DESTINATION "${resources}")
else()
    message(STATUS "Keeping: ${dest}${resources}/NexwipeBase.plist")
endif()

# Readable by its owner only: it names what was erased.
if(NOT EMPTY_HISTORY)
    # Run on its own (without the build's install code): no database to install.
elseif(NOT EXISTS "${dest}${resources}/DataBase.db")
    file(INSTALL "${EMPTY_HISTORY}" DESTINATION "${resources}"
         PERMISSIONS OWNER_READ OWNER_WRITE)
else()
    message(STATUS "Keeping: ${dest}${resources}/DataBase.db")
endif()
