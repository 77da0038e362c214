# One registration function for every test program: it builds the program against
# GoogleTest, registers each test case with CTest and sets the environment the
# tests run in (headless Qt, a fixed locale), so a person can still run the
# program by hand on a real display.
find_package(GTest REQUIRED)
include(GoogleTest)

# qelvo_add_test(<name> SOURCES <files...> [LIBS <targets...>] [ENV <VAR=value...>])
function(qelvo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE qelvo_settings qelvo_test_support
                        ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  set(env QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
          http_proxy= https_proxy= HTTP_PROXY= HTTPS_PROXY= no_proxy= NO_PROXY=
          ${ARG_ENV})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()
