if(TARGET qelvo_skin_engine)
  qelvo_add_bench(skin_frame SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_frame.cpp LIBS qelvo_skin_engine)
  # The same work with the program's own skin, loaded through the skin module.
  if(TARGET qelvo_skin_module)
    target_link_libraries(skin_frame PRIVATE qelvo_skin_module)
    target_compile_definitions(skin_frame PRIVATE QELVO_BENCH_PROGRAM_SKIN)
  endif()
endif()
