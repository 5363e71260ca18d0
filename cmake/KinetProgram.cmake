# The programs a user runs: built into build/bin, so one folder holds them all, and installed
# into bin/ with their manual page share/man/man1/<name>.1 (when the page exists).
include(GNUInstallDirs)

# kinet_install_program(name): makes the executable `name` one of the user's programs.
function(kinet_install_program name)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  # The list of programs, for the tests that run every one of them.
  set_property(GLOBAL APPEND PROPERTY KINET_PROGRAMS ${name})
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(page ${PROJECT_SOURCE_DIR}/share/man/man1/${name}.1)
  if(EXISTS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endfunction()

# kinet_add_program(name SOURCES ... LIBS ...): a program of the package, linked with the
# libraries named, the shared warnings and the --help/--version answer
# (platform/program_info), built into build/bin and installed.
function(kinet_add_program name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE ${P_LIBS} kinet_platform_program_info kinet_warnings)
  kinet_install_program(${name})
endfunction()
