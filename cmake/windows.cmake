# Windows build: the program, its tests under Wine, the end-to-end tests.
set(ORVANE_WARNINGS -Wall -Wextra -Wno-missing-field-initializers)
target_compile_options(orvane_core PRIVATE ${ORVANE_WARNINGS})

set(ORVANE_WIN_DEFINES UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_compile_definitions(orvane_core PUBLIC ${ORVANE_WIN_DEFINES})

configure_file(src/app/build_config.h.in ${CMAKE_BINARY_DIR}/generated/build_config.h @ONLY)

file(GLOB ORVANE_PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/*.cpp)
add_library(orvane_platform STATIC ${ORVANE_PLATFORM_SOURCES})
target_compile_options(orvane_platform PRIVATE ${ORVANE_WARNINGS})
target_link_libraries(orvane_platform PUBLIC orvane_core comctl32 shell32 ole32 comdlg32 gdi32 user32 version shlwapi uxtheme
    windowscodecs uuid)
target_link_options(orvane_platform PUBLIC -static)

file(GLOB ORVANE_UI_SOURCES CONFIGURE_DEPENDS src/ui/*.cpp)
add_library(orvane_ui STATIC ${ORVANE_UI_SOURCES})
target_compile_options(orvane_ui PRIVATE ${ORVANE_WARNINGS})
target_link_libraries(orvane_ui PUBLIC orvane_platform)

# Start-up and wiring; WinMain itself is the program's only other source.
file(GLOB ORVANE_APP_SOURCES CONFIGURE_DEPENDS src/app/*.cpp)
list(REMOVE_ITEM ORVANE_APP_SOURCES ${CMAKE_SOURCE_DIR}/src/app/winmain.cpp)
add_library(orvane_app STATIC ${ORVANE_APP_SOURCES})
target_include_directories(orvane_app PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_compile_options(orvane_app PRIVATE ${ORVANE_WARNINGS})
target_link_libraries(orvane_app PUBLIC orvane_ui)

# Resources: manifest, version, icon, splash picture. The tests link them too,
# so that controls there are the same version 6 controls the program uses.
set(ORVANE_RC ${CMAKE_SOURCE_DIR}/src/res/orvane.rc)
set_source_files_properties(${ORVANE_RC} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/src/res/orvane.manifest;${CMAKE_SOURCE_DIR}/src/res/orvane.ico;${CMAKE_SOURCE_DIR}/src/res/splash.bmp")

add_executable(Orvane WIN32 src/app/winmain.cpp ${ORVANE_RC})
target_link_libraries(Orvane PRIVATE orvane_app)
target_link_options(Orvane PRIVATE -municode)

# The help page that the help command opens lies beside the program.
add_custom_command(TARGET Orvane POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${CMAKE_SOURCE_DIR}/src/res/help/OrvaneHelp.html $<TARGET_FILE_DIR:Orvane>/OrvaneHelp.html)

if(ORVANE_BUILD_TESTS)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)

  set(WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wine)

  add_library(orvane_test_main STATIC tests/support/test_main.cpp tests/support/temp_folder.cpp
      tests/support/download_folder.cpp)
  target_include_directories(orvane_test_main PUBLIC tests)
  target_link_libraries(orvane_test_main PUBLIC orvane_app GTest::gtest GTest::gmock)

  # The tests mirror src/: each layer's tests in the folder of its name.
  file(GLOB ORVANE_WINDOWS_TESTS CONFIGURE_DEPENDS tests/platform/*.cpp tests/ui/*.cpp tests/app/*.cpp)
  list(REMOVE_ITEM ORVANE_WINDOWS_TESTS ${CMAKE_SOURCE_DIR}/tests/platform/shell_ui_test.cpp)
  add_executable(orvane_tests ${ORVANE_CORE_TESTS} ${ORVANE_WINDOWS_TESTS} ${ORVANE_RC})
  target_link_libraries(orvane_tests PRIVATE orvane_test_main)
  set_target_properties(orvane_tests PROPERTIES CROSSCOMPILING_EMULATOR "${WINE_RUN};null")
  gtest_discover_tests(orvane_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 60)

  # The shell's real dialogs and file operations, run alone: under Wine the
  # folder dialog took up to a minute with other test processes beside it.
  add_executable(orvane_shell_tests tests/platform/shell_ui_test.cpp ${ORVANE_RC})
  target_link_libraries(orvane_shell_tests PRIVATE orvane_test_main)
  set_target_properties(orvane_shell_tests PROPERTIES CROSSCOMPILING_EMULATOR "${WINE_RUN};null")
  gtest_discover_tests(orvane_shell_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 60 RUN_SERIAL TRUE)

  # End-to-end: starts the real Orvane.exe (which must lie beside this test)
  # under Xvfb with the X11 driver.
  add_executable(orvane_e2e tests/e2e/startup_e2e_test.cpp tests/e2e/file_list_e2e_test.cpp tests/e2e/tree_e2e_test.cpp
      tests/e2e/file_commands_e2e_test.cpp tests/e2e/settings_e2e_test.cpp tests/e2e/drag_drop_e2e_test.cpp
      tests/e2e/remote_window.cpp)
  target_link_libraries(orvane_e2e PRIVATE orvane_test_main)
  add_dependencies(orvane_e2e Orvane)
  set_target_properties(orvane_e2e PROPERTIES CROSSCOMPILING_EMULATOR "${WINE_RUN};x11")
  gtest_discover_tests(orvane_e2e DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 120 LABELS e2e RUN_SERIAL TRUE)
endif()

# Benchmarks: programs that print figures.
add_executable(orvane_bench bench/inventory_bench.cpp ${ORVANE_RC})
target_link_libraries(orvane_bench PRIVATE orvane_app psapi)
target_link_options(orvane_bench PRIVATE -municode)

# What one update of a followed folder costs against a full listing.
add_executable(orvane_update_bench bench/update_bench.cpp ${ORVANE_RC})
target_link_libraries(orvane_update_bench PRIVATE orvane_app)
target_link_options(orvane_update_bench PRIVATE -municode)

# How long the main window takes to answer while it lists a big folder.
add_executable(orvane_answer_bench bench/answer_bench.cpp ${ORVANE_RC})
target_link_libraries(orvane_answer_bench PRIVATE orvane_app)
target_link_options(orvane_answer_bench PRIVATE -municode)

# The first listing as a user meets it: the real program, timed from outside.
add_executable(orvane_startup_bench bench/startup_bench.cpp tests/e2e/remote_window.cpp)
target_include_directories(orvane_startup_bench PRIVATE tests)
target_link_libraries(orvane_startup_bench PRIVATE orvane_app)
target_link_options(orvane_startup_bench PRIVATE -municode)
add_dependencies(orvane_startup_bench Orvane)
