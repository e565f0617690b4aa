# GoogleTest for the unit tests. A native build uses the system's
# (libgtest-dev); a cross build compiles it from the sources that
# libgtest-dev ships in /usr/src/googletest, with the same toolchain, so
# that the tests link against a GoogleTest for the target system.
if(CMAKE_CROSSCOMPILING)
  set(PROFILE_SHEET_GTEST_SOURCE /usr/src/googletest CACHE PATH
      "GoogleTest sources compiled for a cross build")
  if(NOT EXISTS ${PROFILE_SHEET_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${PROFILE_SHEET_GTEST_SOURCE}: install libgtest-dev")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)  # keeps it out of the package
  add_subdirectory(${PROFILE_SHEET_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
