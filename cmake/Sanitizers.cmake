# Run-time checking builds: the address and undefined-behaviour sanitizers for the test suite
# (CALBRINE_SANITIZE) and the libFuzzer targets under fuzz/ (CALBRINE_BUILD_FUZZ, clang only).
option(CALBRINE_SANITIZE "Build every target with the address and undefined-behaviour sanitizers"
       OFF)
option(CALBRINE_BUILD_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(CALBRINE_SANITIZE OR CALBRINE_BUILD_FUZZ)
    set(calbrine_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                                 -fno-omit-frame-pointer)
    # GCC leaves the check of float-to-integer conversions (of nan, infinity or too large a
    # value) out of "undefined"; clang has it in. Division by a floating zero stays allowed.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        list(APPEND calbrine_sanitizer_flags -fsanitize=float-cast-overflow)
    endif()
    add_compile_options(${calbrine_sanitizer_flags})
    add_link_options(${calbrine_sanitizer_flags})
endif()

if(CALBRINE_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "CALBRINE_BUILD_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
    # The fuzz targets link calbrine_core by name; the top-level file defines it further on.
    add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/fuzz ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
endif()
