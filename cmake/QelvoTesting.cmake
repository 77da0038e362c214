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

# qelvo_add_x11_test(<name> WM none|openbox|tray
#                    SOURCES <files...> [LIBS <targets...>] | COMMAND <command...>
#                    [SCREEN <width>x<height>] [ENV <VAR=value...>])
# A test on a real X server of its own (tests/support/with-x11.sh): the bare
# server (none), openbox as window manager (openbox), or openbox with trayer as
# notification area (tray); the screen is 1024x768 unless SCREEN says otherwise.
# Servers pick free displays themselves, so X11 tests run in parallel.
# SOURCES builds the GoogleTest program <name> (the widget main, Qt Test and
# the X11 helpers of tests/support) and runs each of its cases in a process and
# on a server of its own, as the test "<name>.<Suite>.<Case>". COMMAND runs the
# command as the test <name>. Screenshots go to QELVO_ARTIFACT_DIR
# (build/test-artifacts). A missing tool skips the test.
set(QELVO_X11_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../tests/support/with-x11.sh)
function(qelvo_add_x11_test name)
  cmake_parse_arguments(ARG "" "WM;SCREEN" "SOURCES;LIBS;COMMAND;ENV" ${ARGN})
  if(NOT ARG_WM MATCHES "^(none|openbox|tray)$")
    message(FATAL_ERROR "qelvo_add_x11_test(${name}): WM must be none, openbox or tray")
  endif()
  if(NOT ARG_SOURCES AND NOT ARG_COMMAND)
    message(FATAL_ERROR "qelvo_add_x11_test(${name}): SOURCES or COMMAND is needed")
  endif()
  if(NOT ARG_SCREEN)
    set(ARG_SCREEN 1024x768)
  endif()
  set(env QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
          http_proxy= https_proxy= HTTP_PROXY= HTTPS_PROXY= no_proxy= NO_PROXY=
          QELVO_ARTIFACT_DIR=${PROJECT_BINARY_DIR}/test-artifacts
          ${ARG_ENV})
  set(launcher ${CMAKE_COMMAND} -E env ${env} ${QELVO_X11_SCRIPT} --wm ${ARG_WM} --screen ${ARG_SCREEN} --)
  if(ARG_SOURCES)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qelvo::Settings Qelvo::TestSupport Qelvo::TestX11 ${ARG_LIBS}
                          GTest::gmock Qelvo::TestGuiMain)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
    gtest_discover_tests(${name}
      TEST_PREFIX "${name}."
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${launcher} ${ARG_COMMAND})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
  endif()
endfunction()
