# libFuzzer targets of the DOS-generation readers (JWC drawings, JWK symbols).
# Included from fuzz/CMakeLists.txt. libFuzzer needs clang; other compilers skip them.
#
# The readers' sources are compiled into each target so that they carry the fuzzer's
# coverage instrumentation whatever flags the rest of the tree uses. The test command
# runs each target for about 10 s; run them longer by hand, for example:
#   build-fuzz/fuzz/glyphgrab_fuzz_jwk -rss_limit_mb=512 -max_len=8192 NEWDIR ../shared/corpus/jwk
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(STATUS "JWC/JWK fuzz targets skipped: libFuzzer needs clang")
  return()
endif()

set(_glyphgrab_dos_sources
  ${CMAKE_SOURCE_DIR}/src/documents/dos_header.cpp
  ${CMAKE_SOURCE_DIR}/src/documents/dos_records.cpp)

foreach(_fmt jwc jwk)
  set(_target glyphgrab_fuzz_${_fmt})
  add_executable(${_target} ${CMAKE_CURRENT_LIST_DIR}/${_fmt}_fuzz.cpp
    ${CMAKE_SOURCE_DIR}/src/documents/${_fmt}_data.cpp ${_glyphgrab_dos_sources})
  target_include_directories(${_target} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${_target} PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)
  target_link_options(${_target} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${_target} PRIVATE glyphgrab_util)
  if(GLYPHGRAB_TESTS)
    set(_corpus ${CMAKE_CURRENT_BINARY_DIR}/${_fmt}_corpus)
    file(MAKE_DIRECTORY ${_corpus})
    set(_seeds "")
    if(IS_DIRECTORY "${GLYPHGRAB_CORPUS_DIR}/${_fmt}")
      set(_seeds "${GLYPHGRAB_CORPUS_DIR}/${_fmt}")
    endif()
    add_test(NAME fuzz_${_fmt}
      COMMAND ${_target} -max_total_time=10 -rss_limit_mb=512 -max_len=8192 ${_corpus} ${_seeds})
  endif()
endforeach()
