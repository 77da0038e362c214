# Tests of the skin engine's pictures and geometry: headless, on synthetic
# pictures whose pixels the tests predict.
if(TARGET qelvo_skin_engine)
  qelvo_add_test(skin_engine_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/EngineImageTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/EngineEffectsTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/EngineFrameTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/EngineStatesTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/EngineMenuTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/EngineScrollTest.cpp
    LIBS qelvo_skin_engine)
endif()
