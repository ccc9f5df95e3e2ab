# bw_module(NAME DIR [DEPS ...]): a static library of the portable .cpp files directly in DIR.
# Windows-only views live in DIR/win32 and are added by the Windows targets themselves.
# Every module but bw_base itself links bw_base, the shared helpers at the bottom.
function(bw_module name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC bw_options ${ARG_DEPS})
  if(NOT name STREQUAL "bw_base")
    target_link_libraries(${name} PUBLIC bw_base)
  endif()
endfunction()

# bw_test(NAME DIR DEPS...): one GoogleTest program of every *_test.cpp in DIR.
function(bw_test name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*_test.cpp ${PROJECT_SOURCE_DIR}/${dir}/*_support.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()
