# Project-wide settings carried by one INTERFACE target that every target links.
add_library(qelvo_settings INTERFACE)
add_library(Qelvo::Settings ALIAS qelvo_settings)

target_compile_features(qelvo_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

target_compile_options(qelvo_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
target_compile_definitions(qelvo_settings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

if(QELVO_SANITIZE AND QELVO_TSAN)
  message(FATAL_ERROR "QELVO_SANITIZE and QELVO_TSAN need builds of their own")
endif()

if(QELVO_TSAN)
  set(_qelvo_tsan -fsanitize=thread -fno-omit-frame-pointer)
  target_compile_options(qelvo_settings INTERFACE ${_qelvo_tsan})
  target_link_options(qelvo_settings INTERFACE ${_qelvo_tsan})
endif()

if(QELVO_SANITIZE)
  set(_qelvo_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(qelvo_settings INTERFACE ${_qelvo_san})
  target_link_options(qelvo_settings INTERFACE ${_qelvo_san})
endif()
