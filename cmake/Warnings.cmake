# One interface target carries the warning and sanitizer flags; every target of
# ours links it, so no target can quietly build with weaker checks.
add_library(sonavel_build_flags INTERFACE)
target_compile_options(sonavel_build_flags INTERFACE -Wall -Wextra)
if(SONAVEL_WERROR)
    target_compile_options(sonavel_build_flags INTERFACE -Werror)
endif()
# GCC 12 at -O3 reports overlapping copies inside libstdc++'s own string
# concatenation (a known false alarm of that release), which would stop every
# Release build with warnings as errors; our code has no memcpy of its own there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(sonavel_build_flags INTERFACE -Wno-restrict)
endif()
if(SONAVEL_SANITIZE)
    target_compile_options(sonavel_build_flags INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(sonavel_build_flags INTERFACE -fsanitize=address,undefined)
endif()

# Collects the sources of one folder; an empty folder yields an empty list.
function(sonavel_sources out_var)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB dir_files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
        list(APPEND files ${dir_files})
    endforeach()
    set(${out_var} ${files} PARENT_SCOPE)
endfunction()

# The standard C++ core (curves, model, protocol) is held to stricter checks on
# its own sources. They stay off the layers above, whose Qt headers and
# signal/slot code would trip them without finding faults of ours.
set(SONAVEL_CORE_WARNINGS -Wshadow -Wconversion -Wold-style-cast -Wnon-virtual-dtor -pedantic)
