# Shared build rules of every Zelo subsystem.

add_library(zelo_warnings INTERFACE)
target_compile_options(zelo_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)
# g++ 12 reports false overlaps inside std::string's own operator+ at -O2 (a known compiler fault).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(zelo_warnings INTERFACE -Wno-restrict)
endif()
if(ZELO_WERROR)
  target_compile_options(zelo_warnings INTERFACE -Werror)
endif()
if(ZELO_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
endif()
if(ZELO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# zelo_library(<name> SOURCES ... [DEPS ...]) makes the library zelo_<name> with the alias zelo::<name>.
function(zelo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(zelo_${name} STATIC ${ARG_SOURCES})
  add_library(zelo::${name} ALIAS zelo_${name})
  target_include_directories(zelo_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(zelo_${name} PUBLIC ${ARG_DEPS} PRIVATE zelo_warnings)
endfunction()

# zelo_tests(<name> SOURCES ... [DEPS ...]) makes the test program zelo_<name>_tests and registers its cases.
function(zelo_tests name)
  if(NOT ZELO_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    return()
  endif()
  add_executable(zelo_${name}_tests ${ARG_SOURCES})
  target_link_libraries(zelo_${name}_tests PRIVATE ${ARG_DEPS} zelo::testsupport GTest::gtest GTest::gmock
                        zelo_warnings)
  # The test main sets the video and audio drivers, the medium and the leak suppressions itself.
  gtest_discover_tests(zelo_${name}_tests DISCOVERY_TIMEOUT 60)
endfunction()

# zelo_static_libraries(<out> [EXCEPT name...]) lists the subsystem libraries made so far, for
# programs (benchmarks, fuzz targets) that may use any of them.
function(zelo_static_libraries out)
  cmake_parse_arguments(ARG "" "" "EXCEPT" ${ARGN})
  set(libs)
  foreach(lib IN LISTS ZELO_SUBSYSTEMS)
    if(TARGET zelo_${lib} AND NOT lib IN_LIST ARG_EXCEPT)
      get_target_property(kind zelo_${lib} TYPE)
      if(kind STREQUAL "STATIC_LIBRARY")
        list(APPEND libs zelo_${lib})
      endif()
    endif()
  endforeach()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()
