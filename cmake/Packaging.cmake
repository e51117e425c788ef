# Installing Tabulon as a desktop program, and the Debian packages made from the install tree.
#
# cmake --install puts into the prefix: bin/Tabulon and bin/tabulon-cli, the desktop entry, the
# scalable icon in the hicolor theme, the AppStream metainfo, manual pages made by help2man from
# each program's --help, bash completion for tabulon-cli, and the package documentation. CPack
# makes three Debian packages from three install components:
#   Tabulon   -> tabulon        the programs with their data embedded
#   Gravik    -> libgravik1     the shared library (baselib/CMakeLists.txt)
#   GravikDev -> libgravik-dev  headers, CMake package, pkg-config file, the .so link
include(GNUInstallDirs)

set(TABULON_APP_ID org.orvella.Tabulon)
set(TABULON_DEB_RELEASE 1)
set(TABULON_DEB_VERSION ${PROJECT_VERSION}-${TABULON_DEB_RELEASE})
set(_desktop ${PROJECT_SOURCE_DIR}/program/resources/desktop)

install(TARGETS tabulon-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Tabulon)
install(FILES ${_desktop}/${TABULON_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Tabulon)
install(FILES ${_desktop}/${TABULON_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Tabulon)
configure_file(${_desktop}/${TABULON_APP_ID}.metainfo.xml
  ${PROJECT_BINARY_DIR}/packaging/${TABULON_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${TABULON_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Tabulon)
install(FILES ${_desktop}/tabulon-cli.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tabulon-cli
  COMPONENT Tabulon)

# Manual pages from the programs' own --help, so that they never disagree with it.
find_program(TABULON_HELP2MAN help2man)
find_program(TABULON_GZIP gzip REQUIRED)
if(TABULON_HELP2MAN)
  set(_man_pages "")
  foreach(_program IN ITEMS Tabulon tabulon-cli)
    if(_program STREQUAL "Tabulon")
      set(_name "ICD-10-CM lookup program")
    else()
      set(_name "look up ICD-10-CM codes, indexes and tables from the command line")
    endif()
    set(_page ${PROJECT_BINARY_DIR}/packaging/man/${_program}.1)
    add_custom_command(OUTPUT ${_page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
        ${TABULON_HELP2MAN} --no-info --no-discard-stderr --section=1
        --version-string=${PROJECT_VERSION} --name=${_name} --output=${_page}
        $<TARGET_FILE:${_program}>
      COMMAND ${TABULON_GZIP} -9nf ${_page}
      DEPENDS ${_program}
      COMMENT "Manual page of ${_program}"
      VERBATIM)
    list(APPEND _man_pages ${_page}.gz)
  endforeach()
  add_custom_target(tabulon_man_pages ALL DEPENDS ${_man_pages})
  install(FILES ${_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Tabulon)
  set(TABULON_MAN_PAGES ON)
else()
  message(WARNING "help2man was not found: the install tree gets no manual pages "
    "(scripts/setup.sh installs it)")
  set(TABULON_MAN_PAGES OFF)
endif()

# Each package's copyright file and Debian changelog (compressed the way dpkg expects).
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in
  ${PROJECT_BINARY_DIR}/packaging/changelog.Debian @ONLY)
execute_process(COMMAND ${TABULON_GZIP} -9nc ${PROJECT_BINARY_DIR}/packaging/changelog.Debian
  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
foreach(_pair IN ITEMS Tabulon:tabulon Gravik:libgravik1 GravikDev:libgravik-dev)
  string(REPLACE ":" ";" _pair ${_pair})
  list(GET _pair 0 _component)
  list(GET _pair 1 _package)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright
    ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${_package} COMPONENT ${_component})
endforeach()

# ---- Debian packages: cpack -G DEB in the build folder ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tabulon)
set(CPACK_PACKAGE_VENDOR Orvella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Tabulon Gravik GravikDev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TABULON_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tabulon developers <tabulon@orvella.org>")
set(CPACK_DEBIAN_PACKAGE_SOURCE tabulon)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

set(CPACK_DEBIAN_TABULON_PACKAGE_NAME tabulon)
set(CPACK_DEBIAN_TABULON_PACKAGE_SECTION science)
# CPack indents the lines after the first and writes an empty line as " .".
set(CPACK_COMPONENT_TABULON_DESCRIPTION "ICD-10-CM diagnosis code lookup
Tabulon carries the whole ICD-10-CM classification (tabular list, alphabetic
and external-cause indexes, tables of drugs and neoplasms, short descriptions)
inside the program and leads medical coders from a chapter browser, the
indexes, a keyword search and a ranked search to one code-detail viewer.

tabulon-cli offers the same look-ups to scripts, with JSON output.")

set(CPACK_DEBIAN_GRAVIK_PACKAGE_NAME libgravik1)
set(CPACK_DEBIAN_GRAVIK_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_GRAVIK_DESCRIPTION "general-purpose C++ base library
libGravik holds strings, character sets, dates, crontab expressions,
checksums and ciphers, serialization, threads, sockets, files and ini files,
logs and serial ports, on standard C++ and POSIX only.

This package holds the shared library.")
# The linker cache is updated by dpkg's ldconfig trigger; the scripts replace the ones CPack
# would write, which call ldconfig themselves.
set(CPACK_DEBIAN_GRAVIK_PACKAGE_CONTROL_EXTRA
  ${CMAKE_CURRENT_LIST_DIR}/debian/libgravik1/triggers ${CMAKE_CURRENT_LIST_DIR}/debian/libgravik1/postinst
  ${CMAKE_CURRENT_LIST_DIR}/debian/libgravik1/postrm)
set(CPACK_DEBIAN_GRAVIK_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_GRAVIKDEV_PACKAGE_NAME libgravik-dev)
set(CPACK_DEBIAN_GRAVIKDEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_GRAVIKDEV_PACKAGE_DEPENDS "libgravik1 (= ${TABULON_DEB_VERSION})")
set(CPACK_COMPONENT_GRAVIKDEV_DESCRIPTION "general-purpose C++ base library - development files
libGravik holds strings, character sets, dates, crontab expressions,
checksums and ciphers, serialization, threads, sockets, files and ini files,
logs and serial ports, on standard C++ and POSIX only.

This package holds the headers, the CMake package (find_package(Gravik)) and
the pkg-config file (gravik).")
include(CPack)
