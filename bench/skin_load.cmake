# Loading a stored skin: inflate, decode every bitmap, parse the INI text and
# build the skin data. Uses the program's own skin when it is built.
if(NOT TARGET qelvo_skin_data)
  return()
endif()
qelvo_add_bench(skin_load SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_load.cpp LIBS qelvo_skin_data)
if(TARGET qelvo_stored_skin)
  target_link_libraries(skin_load PRIVATE qelvo_stored_skin)
  target_compile_definitions(skin_load PRIVATE QELVO_BENCH_PROGRAM_SKIN)
endif()
