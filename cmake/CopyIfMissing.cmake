# Copies SRC to DST only when DST does not exist yet, so that a rebuild never resets a settings
# store or database that the programs in the build tree have written.
if(NOT EXISTS "${DST}")
    get_filename_component(dir "${DST}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SRC}" "${DST}")
endif()
