# Build helpers shared by every module folder.
#
#   brisalo_stage(target)                         put a product binary into the program directory
#   brisalo_test(name SOURCES ... [LIBS ...])     a GoogleTest program (native: one ctest test per case;
#                                                 win32: one ctest test per program, run under Wine)
#   brisalo_fuzz(name SOURCES ... [LIBS ...] SEEDS dir)
#                                                 a fuzz target: native tree replays its seeds,
#                                                 fuzz tree runs libFuzzer for BRISALO_FUZZ_SECONDS
#   brisalo_bench(name SOURCES ... [LIBS ...] [SMOKE_ARGS ...])
#                                                 a Google Benchmark program (native tree only), with a
#                                                 quick smoke run in ctest
#
# Portable code is an ordinary static library; platform variants are separate files chosen with
# BRISALO_WIN32 in the module's CMakeLists.txt.

set(BRISALO_STAGE ${CMAKE_BINARY_DIR}/Brisalo6)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

macro(brisalo_compile_options)
    add_compile_options(-Wall -Wextra -Werror -Wno-missing-field-initializers)
    if(BRISALO_WIN32)
        # Only our own DLLs may be needed next to the program.
        add_link_options(-static -static-libgcc -static-libstdc++)
        add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601)
    elseif(BRISALO_FUZZ)
        # fuzzer-no-link gives the libraries under test the coverage feedback libFuzzer steers by
        add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined
                            -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
    endif()
    if(NOT BRISALO_WIN32)
        set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    endif()
endmacro()

function(brisalo_stage target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${BRISALO_STAGE}
        LIBRARY_OUTPUT_DIRECTORY ${BRISALO_STAGE}
        PREFIX "")
endfunction()

function(brisalo_test name)
    if(BRISALO_FUZZ OR (BRISALO_WIN32 AND NOT BRISALO_WINE_TESTS))
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    if(BRISALO_WIN32)
        target_link_libraries(${name} PRIVATE gtest gtest_main)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS win32)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS unit TIMEOUT 120)
    endif()
endfunction()

function(brisalo_fuzz name)
    if(BRISALO_WIN32)
        return()
    endif()
    cmake_parse_arguments(F "" "SEEDS" "SOURCES;LIBS" ${ARGN})
    if(BRISALO_FUZZ)
        add_executable(${name} ${F_SOURCES})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${name} PRIVATE ${F_LIBS})
        set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
        add_test(NAME ${name}
            COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
                sh -c "mkdir -p '${corpus}' && cp -n '${F_SEEDS}'/* '${corpus}'/ 2>/dev/null; exec \"$0\" -max_total_time=${BRISALO_FUZZ_SECONDS} -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 -print_final_stats=1 '${corpus}'"
                $<TARGET_FILE:${name}>)
        set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
    elseif(NOT BRISALO_FUZZ)
        add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
        target_link_libraries(${name} PRIVATE ${F_LIBS})
        add_test(NAME ${name}_replay COMMAND ${name} ${F_SEEDS})
        set_tests_properties(${name}_replay PROPERTIES LABELS unit TIMEOUT 120)
    endif()
endfunction()

function(brisalo_bench name)
    if(BRISALO_WIN32 OR BRISALO_FUZZ)
        return()
    endif()
    cmake_parse_arguments(B "" "" "SOURCES;LIBS;SMOKE_ARGS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
    target_compile_options(${name} PRIVATE -O2)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    add_test(NAME ${name}_smoke COMMAND ${name} --benchmark_min_time=0.001 ${B_SMOKE_ARGS})
    set_tests_properties(${name}_smoke PROPERTIES LABELS bench TIMEOUT 300)
endfunction()
