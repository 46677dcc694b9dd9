# What `cmake --install build --prefix PREFIX` lays down: the program in bin/
# (tools/server installs the game server beside it), the game's data read-only in
# share/vantorel/ (the program finds it from its own folder, so the prefix can
# be moved), the launcher entry, its icon in every size and the software
# centre's metadata.
set(VANTOREL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# Directories made by the install rules, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

# The Debian package puts the game into games/ instead (cmake/Package.cmake).
install(TARGETS vantorel RUNTIME DESTINATION bin COMPONENT program)

# The data files are those the content tool listed as its own: a run of the
# program in the build folder leaves the player's files and converted music
# beside them, and those are not installed.
install(CODE "
  set(data_root \"${CMAKE_BINARY_DIR}\")
  file(STRINGS \"\${data_root}/content-files.txt\" data_files)
  if(NOT data_files)
    message(FATAL_ERROR \"No game data listed in \${data_root}/content-files.txt: build first\")
  endif()
  foreach(file IN LISTS data_files)
    get_filename_component(folder \"\${file}\" DIRECTORY)
    file(INSTALL \"\${data_root}/\${file}\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/vantorel/\${folder}\"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endforeach()
")

install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons)
install(FILES ${VANTOREL_PACKAGING_DIR}/${VANTOREL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${VANTOREL_PACKAGING_DIR}/${VANTOREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)

include(Package)
