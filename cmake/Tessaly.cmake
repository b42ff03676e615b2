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

# tessaly_shipped(target): a binary the user installs; lands in bin/.
function(tessaly_shipped target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TESSALY_BIN_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${TESSALY_BIN_DIR}
    PREFIX "")
endfunction()
