# One library per layer, each seeing only the layers it may use.
#
# Every layer has an include root of its own in the build tree: build/include/<layer>/
# holds a link named after the layer's folder (build/include/sim/sim -> sim/), so
# `#include "sim/SimPC.h"` resolves only in a target that links tc_sim. The source
# tree itself is not on any layer's include path. A wrong include is therefore a
# compile error, and the probes at the end of CMakeLists.txt prove it stays one.

set(TC_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include)

# Links <root>/<path> to the source folder <path> (a folder that does not exist yet is
# linked all the same, so that files added later are found).
function(tc_link_folder root path)
  get_filename_component(parent ${root}/${path} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(REMOVE ${root}/${path})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
endfunction()

# Links only the given headers of a folder (for a folder shared by two layers).
function(tc_link_headers root folder)
  file(REMOVE_RECURSE ${root}/${folder})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS ARGN)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
endfunction()

# tc_layer(NAME FOLDER folder [SOURCES ...] [HEADERS ...] [USES targets...] [PRIVATE targets...])
# Without SOURCES, the folder's *.cpp (globbed, so new files join on the next build);
# without HEADERS, the whole folder is visible to the layer's users. USES are the
# layers (and libraries) this one builds on; they are visible to its users too.
function(tc_layer name)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;HEADERS;USES;PRIVATE" ${ARGN})
  set(root ${TC_INCLUDE_ROOTS}/${name})
  if(NOT DEFINED L_SOURCES)
    file(GLOB L_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${L_FOLDER}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${L_FOLDER}/*.h)
    list(APPEND L_SOURCES ${headers})
  endif()
  if(DEFINED L_HEADERS)
    tc_link_headers(${root} ${L_FOLDER} ${L_HEADERS})
  else()
    tc_link_folder(${root} ${L_FOLDER})
  endif()
  set_property(GLOBAL PROPERTY TC_LAYER_USES_${name} ${L_USES} ${L_PRIVATE})

  set(compiled ${L_SOURCES})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(tc_${name} STATIC ${L_SOURCES})
    target_include_directories(tc_${name} PUBLIC ${root})
    target_link_libraries(tc_${name} PUBLIC ${L_USES} PRIVATE ${L_PRIVATE})
  else()
    # A folder with nothing in it yet.
    add_library(tc_${name} INTERFACE)
    target_include_directories(tc_${name} INTERFACE ${root})
    target_link_libraries(tc_${name} INTERFACE ${L_USES})
  endif()
endfunction()

# tc_include_probe(LAYER layer HEADER header [ALLOWED])
# A test that compiles `#include "header"` the way the layer's own files are compiled.
# Without ALLOWED the test passes only when the compiler cannot find the header.
function(tc_include_probe)
  cmake_parse_arguments(P "ALLOWED" "LAYER;HEADER" "" ${ARGN})
  string(MAKE_C_IDENTIFIER "${P_LAYER}_${P_HEADER}" id)
  set(source ${CMAKE_BINARY_DIR}/probes/${id}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "#include ${P_HEADER}\nint tc_probe_${id};\n")
  get_property(uses GLOBAL PROPERTY TC_LAYER_USES_${P_LAYER})
  add_library(probe_${id} OBJECT EXCLUDE_FROM_ALL ${source})
  target_include_directories(probe_${id} PRIVATE ${TC_INCLUDE_ROOTS}/${P_LAYER})
  target_link_libraries(probe_${id} PRIVATE ${uses})
  if(P_ALLOWED)
    set(expect builds)
  else()
    set(expect refuses)
  endif()
  string(REGEX REPLACE "^[<\"](.*)[>\"]$" "\\1" shown "${P_HEADER}")
  add_test(NAME layers.${P_LAYER}.${expect}.${shown}
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DTARGET=probe_${id} -DEXPECT=${expect}
                   -DHEADER=${P_HEADER} -P ${CMAKE_SOURCE_DIR}/cmake/probe_build.cmake)
  # One build at a time in the build tree.
  set_tests_properties(layers.${P_LAYER}.${expect}.${shown} PROPERTIES RESOURCE_LOCK build-tree TIMEOUT 300)
endfunction()
