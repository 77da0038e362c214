# Every library of the project is made by qelvo_add_library, which also says
# how much of Qt the library may reach: its layer.
#
#   none     no Qt library at all (C++, POSIX, libcurl, zlib ...)
#   core     Qt Core, not Qt Gui
#   gui      Qt Gui, not Qt Widgets
#   widgets  Qt Widgets
#
# The layer is kept on the target (property QELVO_LAYER). At the end of the
# configure step qelvo_write_layers lists every library target of the build
# with its layer, and scripts/check-layers holds that list against the build's
# dependency graph, so a new library is checked as soon as it exists.

set(QELVO_LAYERS none core gui widgets)

# qelvo_add_library(<target> LAYER none|core|gui|widgets [INTERFACE|MODULE]
#                   [SOURCES <files...>] [PUBLIC <libs...>] [PRIVATE <libs...>]
#                   [INCLUDE <folder>] [AUTOMOC])
# Makes the library <target> (named qelvo_<area>, static unless INTERFACE or
# MODULE) with the alias Qelvo::<Area> ("qelvo_nuv_cl_gui" is Qelvo::NuvClGui)
# and the project settings. Its users see the headers of INCLUDE, the current
# source folder unless given. PUBLIC libraries reach its users too, PRIVATE
# ones only the library itself (an INTERFACE library has PUBLIC ones only).
function(qelvo_add_library target)
  cmake_parse_arguments(ARG "INTERFACE;MODULE;AUTOMOC" "LAYER;INCLUDE" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  if(NOT target MATCHES "^qelvo_[a-z0-9_]+$")
    message(FATAL_ERROR "qelvo_add_library(${target}): a library is named qelvo_<area>")
  endif()
  if(NOT ARG_LAYER IN_LIST QELVO_LAYERS)
    message(FATAL_ERROR "qelvo_add_library(${target}): LAYER must be one of ${QELVO_LAYERS}")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "qelvo_add_library(${target}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_INCLUDE)
    set(ARG_INCLUDE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()

  if(ARG_INTERFACE)
    if(ARG_PRIVATE)
      message(FATAL_ERROR "qelvo_add_library(${target}): an INTERFACE library has no PRIVATE libraries")
    endif()
    add_library(${target} INTERFACE ${ARG_SOURCES})
    set(users INTERFACE)
  else()
    if(ARG_MODULE)
      add_library(${target} MODULE ${ARG_SOURCES})
    else()
      add_library(${target} STATIC ${ARG_SOURCES})
    endif()
    set(users PUBLIC)
    if(ARG_AUTOMOC)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
  endif()

  # qelvo_platform_gbk -> Qelvo::PlatformGbk
  string(REGEX REPLACE "^qelvo_" "" area ${target})
  string(REPLACE "_" ";" words ${area})
  set(alias "")
  foreach(word IN LISTS words)
    string(SUBSTRING ${word} 0 1 first)
    string(SUBSTRING ${word} 1 -1 rest)
    string(TOUPPER ${first} first)
    string(APPEND alias ${first}${rest})
  endforeach()
  add_library(Qelvo::${alias} ALIAS ${target})

  set_target_properties(${target} PROPERTIES QELVO_LAYER ${ARG_LAYER})
  target_include_directories(${target} ${users} ${ARG_INCLUDE})
  target_link_libraries(${target} ${users} Qelvo::Settings ${ARG_PUBLIC})
  if(ARG_PRIVATE)
    target_link_libraries(${target} PRIVATE ${ARG_PRIVATE})
  endif()
endfunction()

# Writes "<target> <layer>" into file for every library target of the build,
# one a line ("-" for a library made without a layer); called once at the end
# of the top-level CMakeLists.txt.
function(qelvo_write_layers file)
  set(lines "")
  set(folders ${CMAKE_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders folder)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "LIBRARY$")
        get_target_property(layer ${target} QELVO_LAYER)
        if(NOT layer)
          set(layer -)
        endif()
        string(APPEND lines "${target} ${layer}\n")
      endif()
    endforeach()
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
  endwhile()
  file(WRITE ${file} "${lines}")
endfunction()
