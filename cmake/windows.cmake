# Windows tree: tavune.exe, and the unit and window tests as Windows programs run under Wine.
enable_language(RC)
# No link time stamp in the binaries (nor a folder of this machine: CMakeLists.txt), so
# that anyone who builds the same commit gets the same bytes.
set(WINDOWS_LINK_FLAGS -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)

file(GLOB SHELL_SOURCES CONFIGURE_DEPENDS src/view/*.cpp src/app/*.cpp)
list(REMOVE_ITEM SHELL_SOURCES ${CMAKE_SOURCE_DIR}/src/app/win_main.cpp)
foreach(f IN LISTS NEUTRAL_SHELL_SOURCES)
  list(REMOVE_ITEM SHELL_SOURCES ${CMAKE_SOURCE_DIR}/${f})
endforeach()
add_library(tavune_shell STATIC ${SHELL_SOURCES})
target_link_libraries(tavune_shell PUBLIC tavune_core comctl32 comdlg32 shell32 advapi32 gdi32 user32 kernel32)
target_compile_options(tavune_shell PRIVATE -Wall -Wextra)
# <windows.h> alone took half of each file's compile time: parsed once for the library. The
# objects come out byte for byte as without it.
target_precompile_headers(tavune_shell PRIVATE <windows.h> <algorithm> <string> <vector>)
set_target_properties(tavune_shell PROPERTIES ${LIBRARY_UNITY_PROPERTIES})
target_compile_definitions(tavune_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/res/tavune.rc)
# The resource compiler's dependencies are not scanned, so a regenerated picture or an
# edited manifest alone would leave the old one linked in.
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.bmp
     ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.manifest)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS "${RESOURCE_FILES}")

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/win_main.cpp)
  add_executable(tavune WIN32 src/app/win_main.cpp ${RESOURCE_SCRIPT})
  target_link_libraries(tavune PRIVATE tavune_shell)
  # The map lists every library object linked in, which THIRD-PARTY-NOTICES.txt covers.
  # -municode: the program starts at wWinMain, with the command line in UTF-16.
  target_link_options(tavune PRIVATE ${WINDOWS_LINK_FLAGS} -mwindows -municode -Wl,-Map=tavune.map)
endif()

# GoogleTest from Debian's sources, built with the cross compilers, and without looking for
# Python, which only its own tests need: through a pyenv shim that look took 20 s.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(CMAKE_DISABLE_FIND_PACKAGE_Python ON)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Test programs and GoogleTest itself are compiled for a quick build (TEST_OPTIMIZATION).
target_compile_options(gtest PRIVATE ${TEST_OPTIMIZATION})
target_compile_options(gtest_main PRIVATE ${TEST_OPTIMIZATION})

add_executable(unit_tests ${UNIT_TEST_SOURCES})
# advapi32: the tests of what a save keeps read and change access lists.
target_link_libraries(unit_tests PRIVATE tavune_core gtest_main advapi32)
target_compile_options(unit_tests PRIVATE ${TEST_OPTIMIZATION})
target_precompile_headers(unit_tests PRIVATE ${TEST_PRECOMPILED_HEADERS})
set_target_properties(unit_tests PROPERTIES ${TEST_UNITY_PROPERTIES})
target_link_options(unit_tests PRIVATE ${WINDOWS_LINK_FLAGS})

file(GLOB GUI_TEST_SOURCES CONFIGURE_DEPENDS tests/gui/*.cpp)
# A benchmark that drives the real windows through the tests' harness, in a folder of its
# own (the native tree takes bench/*.cpp); it runs only when asked for
# (bench/info_pane_timings.sh).
list(APPEND GUI_TEST_SOURCES ${CMAKE_SOURCE_DIR}/bench/windows/info_pane_steps.cpp)
if(GUI_TEST_SOURCES)
  add_executable(gui_tests ${GUI_TEST_SOURCES} ${RESOURCE_SCRIPT})
  target_link_libraries(gui_tests PRIVATE tavune_shell gtest)
  target_compile_options(gui_tests PRIVATE -fexec-charset=CP932 ${TEST_OPTIMIZATION})
  target_precompile_headers(gui_tests PRIVATE ${TEST_PRECOMPILED_HEADERS} <windows.h>)
  set_target_properties(gui_tests PROPERTIES ${TEST_UNITY_PROPERTIES})
  target_link_options(gui_tests PRIVATE ${WINDOWS_LINK_FLAGS})
  # Resources only: version texts that no single code page spells, for the version dialog.
  add_library(version_texts MODULE tests/gui/version_texts.rc)
  set_target_properties(version_texts PROPERTIES PREFIX "" LINKER_LANGUAGE CXX)
  target_link_options(version_texts PRIVATE ${WINDOWS_LINK_FLAGS})
  add_dependencies(gui_tests version_texts)
endif()

# Answers the end-to-end scripts' questions about the program's windows, the screen and the
# settings, from inside the scripts' Wine desktop. It takes the GDI scopes of src/view.
add_executable(e2e_probe tests/e2e/probe.cpp)
target_include_directories(e2e_probe PRIVATE src)
target_compile_definitions(e2e_probe PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX STRICT)
target_link_libraries(e2e_probe PRIVATE gdi32 advapi32 user32)
target_link_options(e2e_probe PRIVATE ${WINDOWS_LINK_FLAGS} -municode)
