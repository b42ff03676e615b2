# GoogleTest from Debian's sources, built with whatever compiler this build uses.
set(GTEST_SRC /usr/src/googletest/googletest)
set(GMOCK_SRC /usr/src/googletest/googlemock)
if(NOT EXISTS ${GTEST_SRC}/src/gtest-all.cc)
  message(FATAL_ERROR "GoogleTest sources not found in ${GTEST_SRC}: install Debian's googletest package")
endif()

add_library(gtest STATIC ${GTEST_SRC}/src/gtest-all.cc ${GMOCK_SRC}/src/gmock-all.cc)
target_include_directories(gtest SYSTEM PUBLIC ${GTEST_SRC}/include ${GMOCK_SRC}/include)
target_include_directories(gtest PRIVATE ${GTEST_SRC} ${GMOCK_SRC})
target_compile_options(gtest PRIVATE -w)

add_library(gtest_main STATIC ${GTEST_SRC}/src/gtest_main.cc)
target_link_libraries(gtest_main PUBLIC gtest)
target_compile_options(gtest_main PRIVATE -w)
if(NOT WIN32)
  find_package(Threads REQUIRED)
  target_link_libraries(gtest PUBLIC Threads::Threads)
endif()
