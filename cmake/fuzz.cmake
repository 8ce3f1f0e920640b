# libFuzzer targets (clang) for the parsers of outside data. They build their
# own small library from the parser sources, so the rest of the core (and
# anything it is still missing) stays out of this build.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz build needs clang: use the \"fuzz\" preset")
endif()

set_target_properties(orvane_core PROPERTIES EXCLUDE_FROM_ALL ON)

add_library(orvane_fuzz_parsers STATIC
    src/core/text.cpp
    src/core/download_name.cpp
    src/core/incomplete_list.cpp
    src/core/dummy_header.cpp
    src/core/registered_folders.cpp
)
target_include_directories(orvane_fuzz_parsers PUBLIC src)
target_compile_options(orvane_fuzz_parsers PRIVATE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)

foreach(parser download_name incomplete_list dummy_header folder_file)
  add_executable(${parser}_fuzz fuzz/${parser}_fuzz.cpp)
  target_compile_options(${parser}_fuzz PRIVATE
      -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  target_link_options(${parser}_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${parser}_fuzz PRIVATE orvane_fuzz_parsers)
endforeach()

# The conversions of numbers, colours and window edges read from the settings file.
add_executable(settings_number_fuzz fuzz/settings_number_fuzz.cpp src/core/settings_model.cpp src/core/text.cpp)
target_include_directories(settings_number_fuzz PRIVATE src)
target_compile_options(settings_number_fuzz PRIVATE
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
target_link_options(settings_number_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
