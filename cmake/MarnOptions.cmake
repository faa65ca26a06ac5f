# Build options shared by every target of the project, as interface targets:
# warnings always, the floating-point rules always, sanitizers when
# MARN_SANITIZERS names them (for example "address,undefined", as the
# "sanitize" preset sets it).

set(MARN_SANITIZERS "" CACHE STRING "Sanitizers to build with, e.g. address,undefined (empty for none)")

add_library(marn_warnings INTERFACE)
target_compile_options(marn_warnings INTERFACE -Wall -Wextra -Wpedantic)

# Stricter warnings for the libraries that compute the picture's numbers
# (core, picture): no silent narrowing, no shadowed names, no silent float to
# double promotion; each conversion is written where it happens.
add_library(marn_number_warnings INTERFACE)
target_compile_options(marn_number_warnings INTERFACE -Wshadow -Wconversion -Wfloat-conversion -Wdouble-promotion)

# Floating point that gives the same bits under every optimiser (see
# core/Single.h and the README's build section): no fused multiply-add, which
# would merge two roundings into one (-march=native enables it, clang contracts
# by default); and for g++ no straight-line vectorising, which packs
# conversions to single and then drops some of their roundings.
add_library(marn_float_rules INTERFACE)
target_compile_options(marn_float_rules INTERFACE -ffp-contract=off
  $<$<CXX_COMPILER_ID:GNU>:-fno-tree-slp-vectorize>)

add_library(marn_sanitizers INTERFACE)
if(MARN_SANITIZERS)
  target_compile_options(marn_sanitizers INTERFACE
    -fsanitize=${MARN_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(marn_sanitizers INTERFACE -fsanitize=${MARN_SANITIZERS})
endif()

# Every library and executable created after this point gets these.
link_libraries(marn_warnings marn_float_rules marn_sanitizers)

# The headers of a folder are included with the folder's name
# (#include "core/TileReader.h"). Each library exposes only its own folder:
# an include root in the build tree holds one link named after the folder, so
# a target reaches the headers of the libraries it links and no others.
function(marn_include_root target folder)
  set(include_root ${CMAKE_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${include_root})
  if(NOT EXISTS ${include_root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${include_root}/${folder} SYMBOLIC)
  endif()
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${include_root})
  else()
    target_include_directories(${target} PUBLIC ${include_root})
  endif()
endfunction()
