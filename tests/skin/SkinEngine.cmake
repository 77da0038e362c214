# Tests of the skin engine's pictures and geometry: headless, on synthetic
# pictures whose pixels the tests predict, and on the program's own skin when
# the skin module is built.
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
  if(TARGET qelvo_skin_module)
    target_sources(skin_engine_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/EngineOwnSkinTest.cpp)
    target_link_libraries(skin_engine_tests PRIVATE qelvo_skin_module)
  endif()
endif()
