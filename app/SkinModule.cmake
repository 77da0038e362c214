# The skin module: the program's skin data, its embedded stored skin and the
# skin engine's words, as one small library the windows and tests link.
if(TARGET qelvo_skin_data AND TARGET qelvo_stored_skin)
  add_library(qelvo_skin_module STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SkinCtrlDM.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinCtrlDM.h)
  set_target_properties(qelvo_skin_module PROPERTIES AUTOMOC ON)
  target_include_directories(qelvo_skin_module PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(qelvo_skin_module PUBLIC qelvo_settings qelvo_skin_data
                        PRIVATE qelvo_stored_skin)
endif()
