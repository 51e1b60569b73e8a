# One place that decides how every Quendrix target is compiled: the warning
# set, warnings-as-errors in the check build, and the sanitizers.

option(QUENDRIX_WERROR "Treat warnings as errors" OFF)
option(QUENDRIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# The fuzz tree (clang only): every target carries the fuzzer's coverage
# instrumentation and the sanitizers; the harnesses in fuzz/ add the fuzzer's
# main. Tests and benchmarks are not configured there.
option(QUENDRIX_FUZZ "Build the libFuzzer harnesses (clang)" OFF)

function(quendrix_apply_options target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
  # GCC 12 at -O3 reports "literal" + std::string&& as an overlapping copy
  # (a known false positive of its inliner); the Release tree would be
  # full of it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-Wno-restrict>)
  endif()
  if(QUENDRIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(QUENDRIX_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(QUENDRIX_FUZZ)
    # Library assertions too: an index past a std::array inside a larger
    # object is no memory error to the address sanitizer.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-sanitize-recover=undefined -fno-omit-frame-pointer
                                             -D_GLIBCXX_ASSERTIONS)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Makes the include root `dir` of layer src/<layer>: a folder of the build
# tree holding nothing but a link named <layer> to the layer's folder, so its
# headers are included as "core/angles.h" and no other layer's are found
# through it. With header names, only those are linked.
function(quendrix_layer_root out dir layer)
  set(root ${CMAKE_BINARY_DIR}/layers/${dir})
  file(MAKE_DIRECTORY ${root})
  if(ARGN)
    file(MAKE_DIRECTORY ${root}/${layer})
    foreach(header ${ARGN})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer}/${header} ${root}/${layer}/${header} SYMBOLIC)
    endforeach()
  else()
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# quendrix_library(name SOURCES ... [DEPS ...] [PUBLIC_DEPS ...])
# A static library. One in src/<layer> offers its own layer's headers only
# ("core/angles.h"): a library sees another layer's headers only by linking
# that layer, so the build itself keeps each layer to what it depends on.
# Libraries elsewhere (tools, fuzz) set their own include folders.
function(quendrix_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PUBLIC_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  file(RELATIVE_PATH layer ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT layer MATCHES "^\\.\\.|/" AND NOT layer STREQUAL "")
    quendrix_layer_root(root ${layer} ${layer})
    target_include_directories(${name} PUBLIC ${root})
  endif()
  if(ARG_PUBLIC_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS})
  endif()
  if(ARG_DEPS)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  endif()
  quendrix_apply_options(${name})
endfunction()

# quendrix_headers(name LAYER layer HEADERS ...)
# A few plain-data headers of a layer for users that must not link the whole
# layer (the asset generator draws the launch pad's menu into the shapes of
# a widgets header, without SDL or ImGui).
function(quendrix_headers name)
  cmake_parse_arguments(ARG "" "LAYER" "HEADERS" ${ARGN})
  add_library(${name} INTERFACE)
  quendrix_layer_root(root ${name} ${ARG_LAYER} ${ARG_HEADERS})
  target_include_directories(${name} INTERFACE ${root})
endfunction()

# quendrix_executable(name SOURCES ... [DEPS ...])
function(quendrix_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  quendrix_apply_options(${name})
endfunction()

# quendrix_test(name SOURCES ... [DEPS ...])
# A GoogleTest binary registered case by case with CTest. Tests run from the
# build's bin folder, where the generated data lives.
function(quendrix_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE QUENDRIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  quendrix_apply_options(${name})
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)
endfunction()

# quendrix_bench(name SOURCES ... [DEPS ...])
function(quendrix_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  quendrix_apply_options(${name})
endfunction()
