# Settings every target of our own code shares: the language level, warnings as
# errors, and narrow literals compiled to code page 936 bytes. C++17, because
# libstdc++'s C++20 <chrono> holds a literal that code page 936 cannot encode.
# clang (the fuzz build) has no -fexec-charset; the core it compiles keeps its
# Chinese texts as escaped bytes (search/SearchTexts.h), which need no flag.
function(listing_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_17)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror
    -finput-charset=UTF-8
    # The folders of the source and build trees never reach a program file
    # (through __FILE__ in library headers, say): two clones in different
    # places build the same bytes.
    "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
    "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fexec-charset=CP936)
  endif()
endfunction()
