# Helpers shared by every subsystem's CMakeLists.

# tessaly_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [NO_MAIN] [TIMEOUT s] [LABELS l])
# One test program, registered as one ctest test; under the cross build ctest runs it
# through Wine. Test programs land in test-bin/, apart from the shipped binaries in bin/.
function(tessaly_test name)
  cmake_parse_arguments(T "NO_MAIN" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_NO_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSALY_TEST_BIN_DIR})
  if(WIN32)
    # Console test programs: gtest prints to the console Wine gives them.
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# tessaly_shipped(target DESCRIPTION text [NO_MANIFEST]): a binary the user installs; lands
# in bin/. In the cross build it gets a version resource (product "Tessaly", the project's
# version, the description) and a manifest: a program's (resource 1: common controls 6,
# DPI awareness, supported systems) or a library's (resource 2: common controls 6 for its
# imports and for the activation context its exports switch on).
function(tessaly_shipped target)
  cmake_parse_arguments(S "NO_MANIFEST" "DESCRIPTION" "" ${ARGN})
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TESSALY_BIN_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${TESSALY_BIN_DIR}
    PREFIX "")
  if(NOT WIN32)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(VERSION_FILE_NAME ${target}.exe)
    set(VERSION_FILE_TYPE VFT_APP)
    set(manifest_template ${TESSALY_ROOT}/cmake/resources/program.manifest.in)
    set(MANIFEST_ID 1)
  else()
    set(VERSION_FILE_NAME ${target}.dll)
    set(VERSION_FILE_TYPE VFT_DLL)
    set(manifest_template ${TESSALY_ROOT}/cmake/resources/library.manifest.in)
    set(MANIFEST_ID 2)
  endif()
  set(VERSION_NAME ${target})
  set(VERSION_DESCRIPTION "${S_DESCRIPTION}")
  if(NOT VERSION_DESCRIPTION)
    set(VERSION_DESCRIPTION ${target})
  endif()
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  if(S_NO_MANIFEST)
    set(MANIFEST_LINE "")
  else()
    set(MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${manifest_template} ${MANIFEST_FILE} @ONLY)
    set(MANIFEST_LINE "${MANIFEST_ID} 24 \"${MANIFEST_FILE}\"")
  endif()
  configure_file(${TESSALY_ROOT}/cmake/resources/VersionInfo.rc.in ${resources} @ONLY)
  target_sources(${target} PRIVATE ${resources})
  if(MANIFEST_FILE)
    set_property(SOURCE ${resources} APPEND PROPERTY OBJECT_DEPENDS ${MANIFEST_FILE})
  endif()
endfunction()
