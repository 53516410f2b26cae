# Adds every immediate or nested folder below ROOT that holds a CMakeLists.txt,
# stopping at the first level that has one (that folder adds its own children).
function(orvellan_add_subdirectories root)
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${root})
        return()
    endif()
    if(EXISTS ${CMAKE_SOURCE_DIR}/${root}/CMakeLists.txt)
        add_subdirectory(${CMAKE_SOURCE_DIR}/${root} ${CMAKE_BINARY_DIR}/${root})
        return()
    endif()
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/${root}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${child})
            orvellan_add_subdirectories(${child})
        endif()
    endforeach()
endfunction()

# orvellan_library(NAME [LIBS ...]): a static library of every .cpp in the
# current folder (not its subfolders), with the repository root on the include path.
function(orvellan_library name)
    cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources AND NOT ARG_SOURCES)
        # Headers only so far: an interface target keeps dependents linking.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_LIBS})
        return()
    endif()
    add_library(${name} STATIC ${sources} ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# orvellan_test_folder(PREFIX LIBS ... [LONG FILE PARTS ...]): every *Test.cpp
# of the current folder in one test program, PREFIX_tests, which links once for
# the folder; ctest still has one entry per file, PREFIX_<file name>, running
# the program on that file's tests alone, so several people can add test files
# to one folder without touching its CMakeLists.txt. LONG names files (without
# .cpp) whose tests take long: ctest starts them before the others, and with
# PARTS above 1 spreads the file's tests over that many entries,
# PREFIX_<file name>_<part>, so that they run side by side.
# The thread sanitizer's tree builds only the files it runs.
function(orvellan_test_folder prefix)
    cmake_parse_arguments(ARG "" "" "LIBS;LONG" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Support.cpp)
    set(libs ${ARG_LIBS})
    if(helpers)
        # Compiled once for the folder, also for the programs beside its tests.
        add_library(${prefix}_test_support STATIC ${helpers})
        target_include_directories(${prefix}_test_support PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${prefix}_test_support PUBLIC ${ARG_LIBS} GTest::gtest GTest::gmock)
        target_compile_definitions(${prefix}_test_support PUBLIC
            ORVELLAN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
            ORVELLAN_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
        orvellan_test_compile_options(${prefix}_test_support)
        set(libs ${prefix}_test_support ${ARG_LIBS})
    endif()
    set(sources ${tests})
    if(ORVELLAN_TSAN)
        set(threaded "")
        foreach(test ${tests})
            get_filename_component(stem ${test} NAME_WE)
            if(${prefix}_${stem} IN_LIST ORVELLAN_TSAN_TESTS)
                list(APPEND threaded ${test})
            endif()
        endforeach()
        if(threaded)
            set(sources ${threaded})
            add_dependencies(tsan_tests ${prefix}_tests)
        endif()
    endif()
    set(program ${prefix}_tests)
    add_executable(${program} ${sources})
    # The test files of a folder share most of their includes, so they compile
    # sixteen to a batch: well under half the compile time of one run each, and
    # batches small enough to keep the cores busy. Each file keeps its own name
    # in __FILE__, which --test-file selects on, so names at file scope must
    # differ across a folder's test files.
    # GCC then counts only the batch as the main file, and warns of every
    # fixture in a test file's anonymous namespace as if it sat in a header.
    set_target_properties(${program} PROPERTIES UNITY_BUILD ON
                          UNITY_BUILD_BATCH_SIZE 16)
    target_compile_options(${program} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
    target_include_directories(${program} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${program} PRIVATE ${libs} orvellan_test_main GTest::gtest GTest::gmock)
    target_compile_definitions(${program} PRIVATE
        ORVELLAN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        ORVELLAN_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
    orvellan_test_compile_options(${program})
    foreach(test ${tests})
        get_filename_component(stem ${test} NAME_WE)
        file(RELATIVE_PATH path ${CMAKE_SOURCE_DIR} ${test})
        list(FIND ARG_LONG ${stem} at)
        if(at EQUAL -1)
            orvellan_test_entry(${prefix}_${stem} ${program} --test-file=${path})
            continue()
        endif()
        math(EXPR at "${at} + 1")
        list(GET ARG_LONG ${at} parts)
        if(parts EQUAL 1)
            orvellan_test_entry(${prefix}_${stem} ${program} --test-file=${path})
            set_tests_properties(${prefix}_${stem} PROPERTIES COST 1000)
            continue()
        endif()
        math(EXPR last "${parts} - 1")
        foreach(part RANGE ${last})
            orvellan_test_entry(${prefix}_${stem}_${part} ${program} --test-file=${path}
                                --test-shard=${part}/${parts})
            set_tests_properties(${prefix}_${stem}_${part} PROPERTIES COST 1000)
        endforeach()
    endforeach()
endfunction()

# orvellan_test_entry(NAME PROGRAM ARGS...): a ctest entry run headless, with a
# settings folder of its own, from the program's folder.
function(orvellan_test_entry name program)
    add_test(NAME ${name} COMMAND ${program} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;ORVELLAN_TEST=1;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name}"
        TIMEOUT 600)
endfunction()

# The main of the folders' test programs, built once per tree.
function(orvellan_test_main)
    add_library(orvellan_test_main STATIC ${CMAKE_SOURCE_DIR}/cmake/TestFileMain.cpp)
    target_link_libraries(orvellan_test_main PUBLIC GTest::gtest)
    orvellan_test_compile_options(orvellan_test_main)
endfunction()

# Test code itself is compiled without optimisation: it is most of what the
# test command compiles, optimising it takes longer than the tests run, and the
# code under test keeps its tree's optimisation.
function(orvellan_test_compile_options target)
    target_compile_options(${target} PRIVATE -O0)
    target_compile_definitions(${target} PRIVATE _REENTRANT)
    target_precompile_headers(${target} REUSE_FROM orvellan_test_pch)
endfunction()

# Parsing GoogleTest and GoogleMock is most of what compiling a test file costs,
# so every test target of a tree reuses one precompiled header of the two. It is
# built with the test targets' own options; the defines they add on top appear
# in neither header, which is what lets the compiler accept it for all of them.
# _REENTRANT does appear (in the C library's headers) and comes with SDL to only
# some targets, so every test target and the header define it alike.
function(orvellan_test_pch)
    add_library(orvellan_test_pch OBJECT ${CMAKE_SOURCE_DIR}/cmake/TestPch.cpp)
    target_link_libraries(orvellan_test_pch PRIVATE GTest::gtest GTest::gmock)
    target_compile_options(orvellan_test_pch PRIVATE -O0)
    target_compile_definitions(orvellan_test_pch PRIVATE _REENTRANT)
    target_precompile_headers(orvellan_test_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
endfunction()

# orvellan_test(NAME SOURCES ... LIBS ...): one GoogleTest binary, one ctest entry,
# run headless with the working folder set to the binary's folder.
function(orvellan_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        ORVELLAN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        ORVELLAN_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
    orvellan_test_compile_options(${name})
    orvellan_test_entry(${name} ${name})
endfunction()

# orvellan_fuzz(NAME SOURCES ... LIBS ...): a fuzz target defining
# LLVMFuzzerTestOneInput. Always built as a corpus replayer run by ctest over
# fuzz/corpus/NAME; with ORVELLAN_LIBFUZZER also as a libFuzzer binary.
function(orvellan_fuzz name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(fuzz_${name}_replay ${ARG_SOURCES})
    target_include_directories(fuzz_${name}_replay PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(fuzz_${name}_replay PRIVATE ${ARG_LIBS} orvellan_fuzz_replay_main)
    add_test(NAME fuzz_${name}_corpus COMMAND ${CMAKE_SOURCE_DIR}/fuzz/replay-in-clean-temp
             $<TARGET_FILE:fuzz_${name}_replay> ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(fuzz_${name}_corpus PROPERTIES
        ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy" TIMEOUT 600)
    if(ORVELLAN_LIBFUZZER)
        add_executable(fuzz_${name} ${ARG_SOURCES})
        target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR})
        target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
    endif()
endfunction()

# The corpus replayers' main, built once per tree.
function(orvellan_fuzz_replay_main)
    add_library(orvellan_fuzz_replay_main STATIC ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
endfunction()

# orvellan_bench(NAME SOURCES ... LIBS ...): a Google Benchmark binary (not run by ctest).
function(orvellan_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
