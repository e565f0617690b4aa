# Build and test rules over every program of the project, as listed in
# PROFILE_SHEET_PROGRAMS by the top CMakeLists.txt.

# `cmake --build <dir> --target programs` builds the programs and nothing else.
add_custom_target(programs)
add_dependencies(programs ${PROFILE_SHEET_PROGRAMS})

# The command that runs program `target`: through the emulator when it is
# built for another system (Wine for Windows), else the program itself.
function(program_command out target)
  set(${out} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}> PARENT_SCOPE)
endfunction()

# The same command as one line, each word quoted as a POSIX shell would take
# it, for a test that splits it (shlex.split).
function(program_command_line out target)
  program_command(command ${target})
  list(TRANSFORM command PREPEND "'")
  list(TRANSFORM command APPEND "'")
  list(JOIN command " " line)
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

# The leading arguments of a Python-driven test that runs program `target`:
# --crlf when its console lines end with CR LF (Windows), the command that
# runs it (through the emulator when it is built for another system, Wine
# for Windows), and "--" (see tests/support/program_command.py).
function(program_test_command out target)
  set(command)
  if(WIN32)
    list(APPEND command --crlf)
  endif()
  program_command(program ${target})
  list(APPEND command ${program} --)
  set(${out} ${command} PARENT_SCOPE)
endfunction()

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_package.cmake)
endif()
