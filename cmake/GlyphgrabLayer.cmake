# glyphgrab_warnings(TARGET): the warnings the project's own code is held to, beyond
# -Wall -Wextra (GCC's meaning of them; clang's -Wconversion is another, noisier set);
# GLYPHGRAB_WERROR (CI's normal tree) makes them errors.
function(glyphgrab_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow -Wconversion -Wsign-conversion>
    $<$<BOOL:${GLYPHGRAB_WERROR}>:-Werror>)
endfunction()

# glyphgrab_layer(TARGET DIR [DEPS dep...] [PRIVATE_DEPS dep...])
# One static library from the *.cpp files of DIR (an interface library while DIR holds
# headers only), with src/ as its include root.
function(glyphgrab_layer target dir)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
    glyphgrab_warnings(${target})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS} ${ARG_PRIVATE_DEPS})
  endif()
endfunction()
