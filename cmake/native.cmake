# Host build: the platform-free core and its tests under the sanitizers.
set(ORVANE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(orvane_core PRIVATE ${ORVANE_SANITIZE} -Wall -Wextra)
target_link_options(orvane_core PUBLIC ${ORVANE_SANITIZE})

if(ORVANE_BUILD_TESTS)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  add_executable(orvane_core_tests ${ORVANE_CORE_TESTS})
  target_compile_options(orvane_core_tests PRIVATE ${ORVANE_SANITIZE})
  target_link_libraries(orvane_core_tests PRIVATE orvane_core GTest::gtest_main)
  gtest_discover_tests(orvane_core_tests)
endif()
