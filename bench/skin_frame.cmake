if(TARGET qelvo_skin_engine)
  qelvo_add_bench(skin_frame SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/skin_frame.cpp LIBS qelvo_skin_engine)
endif()
