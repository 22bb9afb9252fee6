# libFuzzer: the libraries get the fuzzer's coverage hooks and the sanitizers; the
# targets themselves are in fuzz/. Undefined behaviour stops the run like a crash, so
# that the fuzzer keeps the input, and Qt's own index checks (Q_ASSERT in its inline
# container code) stay on. -O1 with line tables only keeps the build short; stack
# traces still name file and line.
if(OSTRAKEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "OSTRAKEL_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1 -gline-tables-only)
  add_compile_definitions(QT_FORCE_ASSERTS)
  add_link_options(-fsanitize=address,undefined)
endif()
