qelvo_add_bench(skin_package_bench
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_package.cpp
  LIBS qelvo_skin_format)
