# One registration function for every test program: it builds the program against
# GoogleTest, registers each test case with CTest and sets the environment the
# tests run in (headless Qt, a fixed locale, no proxy), so a person can still run
# the program by hand on a real display.
find_package(GTest REQUIRED)
include(GoogleTest)

# qelvo_add_test(<name> SOURCES <files...> [LIBS <targets...>] [ENV <VAR=value...>] [GUI] [THREADED])
# GUI: the program gets Qt Test and a main that makes one QApplication first.
# THREADED: the program runs work on threads of its own; its tests carry the
# label "threaded" and the target threaded_tests builds it (the ThreadSanitizer
# run, scripts/test --tsan, builds and runs only these).
function(qelvo_add_test name)
  cmake_parse_arguments(ARG "GUI;THREADED" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    set(main Qelvo::TestGuiMain)
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE Qelvo::Settings Qelvo::TestSupport ${ARG_LIBS} GTest::gmock ${main})
  set(env QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
          http_proxy= https_proxy= HTTP_PROXY= HTTPS_PROXY= no_proxy= NO_PROXY=
          ${ARG_ENV})
  # The variables reach the program through "cmake -E env" as its launcher:
  # gtest_discover_tests passes a list-valued ENVIRONMENT property through
  # several list expansions and would set only its first variable.
  set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${env})
  set(labels "")
  if(ARG_THREADED)
    set(labels threaded)
    set_property(GLOBAL APPEND PROPERTY QELVO_THREADED_TESTS ${name})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 LABELS "${labels}")
endfunction()
