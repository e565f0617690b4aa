# The zip for Windows users (cross build only): every program's .exe, the
# example inputs, README.txt and the licences, in one folder named for the
# version.
#
#   cmake --build build-win64 --target package
#     -> build-win64/profile-sheet-<version>-win64.zip

install(TARGETS ${PROFILE_SHEET_PROGRAMS} RUNTIME DESTINATION .)
# The example inputs, by name: a drawing or sheets left in examples/ by a
# local run stay out.
set(PROFILE_SHEET_PACKAGE_EXAMPLES
  examples/Tesmo.dat examples/GasouT.dat examples/temp.cd5 examples/landxml/road-sjis.xml)
foreach(file ${PROFILE_SHEET_PACKAGE_EXAMPLES})
  get_filename_component(folder ${file} DIRECTORY)
  install(FILES ${file} DESTINATION ${folder})
endforeach()

# README.txt is UTF-8 with a byte order mark and CR LF line ends: Notepad of
# every Windows version shows that correctly, and so do other editors there.
# Without the mark older Notepads read it as the system code page, and
# Shift-JIS is garbled wherever that is not 932 and in editors that assume UTF-8.
configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt ${PROJECT_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION .)

# The licences: this project's, and those of the runtime libraries linked
# into every .exe (-static): GCC's libstdc++ and libgcc under the GCC Runtime
# Library Exception, and the mingw-w64 runtime with winpthreads. Those two
# are the copyright files of the Debian packages that built them, taken from
# this machine when the zip is made.
set(PROFILE_SHEET_RUNTIME_LICENSES
  "/usr/share/doc/gcc-mingw-w64-base/copyright|gcc-runtime.txt"
  "/usr/share/doc/mingw-w64-x86-64-dev/copyright|mingw-w64-runtime.txt")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME profile-sheet.txt)
set(PROFILE_SHEET_PACKAGE_LICENSES licenses/profile-sheet.txt)
foreach(entry ${PROFILE_SHEET_RUNTIME_LICENSES})
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 source)
  list(GET entry 1 name)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "No ${source}: the mingw-w64 packages (g++-mingw-w64-x86-64-posix) hold the runtime's licence")
  endif()
  install(FILES ${source} DESTINATION licenses RENAME ${name})
  list(APPEND PROFILE_SHEET_PACKAGE_LICENSES licenses/${name})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME profile-sheet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(PROFILE_SHEET_PACKAGE_NAME profile-sheet-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${PROFILE_SHEET_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)  # the debug information stays in the build folder
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
