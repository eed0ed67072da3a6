# corvane_add_test(NAME SOURCES ... [LIBS ...] [GUI])
# A GoogleTest executable linked with the core library. GUI tests run on the
# offscreen platform.
set(CORVANE_TEST_DATA ${CMAKE_SOURCE_DIR}/tests/data)
function(corvane_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE corvane_core GTest::gtest GTest::gtest_main ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    CORVANE_BIN_DIR="${CORVANE_BIN_DIR}"
    CORVANE_TEST_DATA="${CORVANE_TEST_DATA}"
    CORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(${name} corvane_lang)
  set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(T_GUI)
    # A second item in ENVIRONMENT would be split off by the discovery
    # script, so the leak switch (font library caches) goes separately.
    list(APPEND props ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=set:detect_leaks=0")
  endif()
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()
