#!/usr/bin/env bash
# scripts/check-layers on a small project of its own, made with the project's
# qelvo_add_library: each library below breaks its layer in its own way (or
# keeps it), and the check must name exactly the ones that break it; the same
# project without them passes. Stand-in Qt targets keep the configure step short.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

write_project() { # <folder> <with the broken libraries: 0|1>
  mkdir -p "$1/src"
  touch "$1/src/a.cpp"
  cat >"$1/src/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(LayersTest CXX)
list(APPEND CMAKE_MODULE_PATH $root/cmake)
include(QelvoSettings)
include(QelvoLibrary)
foreach(module Core Gui Widgets)
  add_library(Qt6::\${module} INTERFACE IMPORTED)
endforeach()
set_target_properties(Qt6::Gui PROPERTIES INTERFACE_LINK_LIBRARIES Qt6::Core)
set_target_properties(Qt6::Widgets PROPERTIES INTERFACE_LINK_LIBRARIES Qt6::Gui)
add_executable(painter a.cpp)
target_link_libraries(painter PRIVATE Qt6::Widgets)

qelvo_add_library(qelvo_plain LAYER none SOURCES a.cpp)
qelvo_add_library(qelvo_text LAYER core SOURCES a.cpp PUBLIC Qelvo::Plain Qt6::Core)
qelvo_add_library(qelvo_pictures LAYER gui SOURCES a.cpp PUBLIC Qelvo::Text Qt6::Gui)
qelvo_add_library(qelvo_windows LAYER widgets SOURCES a.cpp PUBLIC Qelvo::Pictures Qt6::Widgets)
# A program built first is no part of the library.
qelvo_add_library(qelvo_generated LAYER none SOURCES a.cpp)
add_dependencies(qelvo_generated painter)
if($2)
  qelvo_add_library(qelvo_private_core LAYER none SOURCES a.cpp PRIVATE Qt6::Core)
  qelvo_add_library(qelvo_through_text LAYER none INTERFACE PUBLIC Qelvo::Text)
  qelvo_add_library(qelvo_gui_in_core LAYER core SOURCES a.cpp PRIVATE Qelvo::Pictures)
  qelvo_add_library(qelvo_widgets_in_gui LAYER gui SOURCES a.cpp PUBLIC Qelvo::Windows)
  add_library(qelvo_unlayered STATIC a.cpp)
endif()
qelvo_write_layers(\${PROJECT_BINARY_DIR}/qelvo-layers.txt)
CMAKE
  cmake -S "$1/src" -B "$1/build" -G Ninja >"$1/configure.log" 2>&1 || { cat "$1/configure.log"; exit 1; }
}

failed=0
expect() { # <what> <expected> <actual>
  if [ "$2" != "$3" ]; then
    printf 'FAILED: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    failed=1
  fi
}

write_project "$work/broken" 1
status=0
output=$("$root/scripts/check-layers" "$work/broken/build") || status=$?
expect "exit status with broken layers" 1 "$status"
expect "the libraries named" "layers: qelvo_gui_in_core (core) reaches Qt6::Gui
layers: qelvo_private_core (none) reaches Qt6::Core
layers: qelvo_through_text (none) reaches Qt6::Core
layers: qelvo_unlayered has no layer (make it with qelvo_add_library ... LAYER)
layers: qelvo_widgets_in_gui (gui) reaches Qt6::Widgets" "$(grep -v '^layers: [0-9]' <<<"$output")"

write_project "$work/sound" 0
status=0
output=$("$root/scripts/check-layers" "$work/sound/build") || status=$?
expect "exit status with every layer kept" 0 "$status"
expect "the summary" "layers: 3 none, 1 core, 1 gui, 1 widgets: every library keeps to its layer" "$output"
exit $failed
