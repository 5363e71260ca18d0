# Installing the library for other programs: libkinet.so.<major> and libkinet.a, the public
# headers under include/kinet, kinet.pc for pkg-config and the CMake package Kinet
# (find_package(Kinet) gives Kinet::kinet and Kinet::kinet_static).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# What a program linking libkinet.a links besides: the Libs.private of kinet.pc and the link
# libraries of Kinet::kinet_static.
set(KINET_STATIC_LIBS SDL2 stdc++ m pthread)
list(TRANSFORM KINET_STATIC_LIBS PREPEND -l OUTPUT_VARIABLE KINET_LIBS_PRIVATE)
list(JOIN KINET_LIBS_PRIVATE " " KINET_LIBS_PRIVATE)

install(TARGETS kinet_shared kinet_static
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/lib/include/kinet DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")

# kinet.pc names the prefix it is installed under, which is known only at install time
# (cmake --install --prefix); DESTDIR stages the file without entering it.
install(CODE "
  set(KINET_VERSION ${PROJECT_VERSION})
  set(KINET_LIBDIR ${CMAKE_INSTALL_LIBDIR})
  set(KINET_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
  set(KINET_LIBS_PRIVATE \"${KINET_LIBS_PRIVATE}\")
  get_filename_component(KINET_PREFIX \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
  configure_file(${PROJECT_SOURCE_DIR}/lib/kinet.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/kinet.pc @ONLY)
  file(INSTALL ${PROJECT_BINARY_DIR}/pkgconfig/kinet.pc
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\")
")

# The CMake package finds the library relative to its own folder, so it needs no prefix.
set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Kinet)
file(RELATIVE_PATH KINET_PACKAGE_TO_PREFIX /prefix/${package_dir} /prefix)
configure_file(${PROJECT_SOURCE_DIR}/lib/KinetConfig.cmake.in
               ${PROJECT_BINARY_DIR}/cmake/KinetConfig.cmake @ONLY)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/KinetConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cmake/KinetConfig.cmake
              ${PROJECT_BINARY_DIR}/cmake/KinetConfigVersion.cmake
        DESTINATION ${package_dir})
