# GoogleTest: the system's build natively, its sources for the cross build.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# vallorim_test(name sources... LIBS libs...): one test program, its cases
# listed when ctest runs (under Wine for the Windows build); its main comes
# from test_support.
function(vallorim_test nom)
  cmake_parse_arguments(PARSE_ARGV 1 T "" "" "LIBS")
  add_executable(${nom} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${nom} PRIVATE ${T_LIBS} test_support reglages)
  gtest_discover_tests(${nom} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 120)
endfunction()
