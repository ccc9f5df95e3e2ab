# Every target of ours compiles with warnings as errors.
add_library(bw_options INTERFACE)
target_compile_options(bw_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wnon-virtual-dtor
  -Wold-style-cast -Woverloaded-virtual -Werror)
if(BW_SANITIZE AND NOT WIN32)
  target_compile_options(bw_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(bw_options INTERFACE -fsanitize=address,undefined)
endif()
if(WIN32)
  # Windows programs link everything statically: no MinGW runtime DLLs beside the exe.
  target_compile_definitions(bw_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  target_link_options(bw_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
target_include_directories(bw_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(BW_FUZZ AND NOT WIN32)
  # The libraries under test carry libFuzzer's coverage counters and the sanitizers too,
  # so the fuzzers see into the core rather than only into their own entry points.
  target_compile_options(bw_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                                               -fno-omit-frame-pointer)
  target_link_options(bw_options INTERFACE -fsanitize=address,undefined)
endif()
