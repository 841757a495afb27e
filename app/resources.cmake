# DriverSetup.exe's resources (included by app/CMakeLists.txt): the manifest, the icon drawn at
# build time from a text drawing, and the version record from project(VERSION).
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(DRIVERSETUP_ICON ${CMAKE_CURRENT_BINARY_DIR}/DriverSetup.ico)
add_custom_command(
  OUTPUT ${DRIVERSETUP_ICON}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/icon/make_icon.py
          ${CMAKE_CURRENT_LIST_DIR}/icon/driversetup_icon.txt ${DRIVERSETUP_ICON}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/icon/make_icon.py ${CMAKE_CURRENT_LIST_DIR}/icon/driversetup_icon.txt
  COMMENT "Drawing DriverSetup.ico"
  VERBATIM)

configure_file(${CMAKE_CURRENT_LIST_DIR}/product_version.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/product_version.h @ONLY)

target_sources(DriverSetup PRIVATE ${CMAKE_CURRENT_LIST_DIR}/resources.rc)
# The resource compiler looks for the files the .rc names (manifest, icon, headers) here.
target_include_directories(DriverSetup PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_BINARY_DIR})
# Header scanning does not see files named by ICON and RT_MANIFEST statements.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/resources.rc PROPERTIES
  OBJECT_DEPENDS "${DRIVERSETUP_ICON};${CMAKE_CURRENT_LIST_DIR}/DriverSetup.manifest")

if(MSVC)
  # The manifest is resource 1 of the .rc; a second one from the linker would clash with it.
  target_link_options(DriverSetup PRIVATE /MANIFEST:NO)
endif()
