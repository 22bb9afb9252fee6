# libFuzzer: the libraries get the fuzzer's coverage hooks and the sanitizers; the
# targets themselves are in fuzz/.
if(OSTRAKEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "OSTRAKEL_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
