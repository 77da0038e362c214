# The skin engine's picture and geometry algorithms: Qt Gui only, no window,
# so every one runs headless.
add_library(qelvo_skin_engine STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Bsutils.cpp ${CMAKE_CURRENT_LIST_DIR}/Bsutils.h
  ${CMAKE_CURRENT_LIST_DIR}/Bseffects.cpp ${CMAKE_CURRENT_LIST_DIR}/Bseffects.h
  ${CMAKE_CURRENT_LIST_DIR}/BsControlGeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/BsControlGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/BsFrameGeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/BsFrameGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/BsWindowStates.cpp ${CMAKE_CURRENT_LIST_DIR}/BsWindowStates.h
  ${CMAKE_CURRENT_LIST_DIR}/BsMenuGeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/BsMenuGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/BsScrollGeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/BsScrollGeometry.h)
target_include_directories(qelvo_skin_engine PUBLIC ${CMAKE_CURRENT_LIST_DIR})
find_package(Qt6 REQUIRED COMPONENTS Gui)
target_link_libraries(qelvo_skin_engine PUBLIC qelvo_settings qelvo_base Qt6::Gui)

# Bridges from the loaded skin's data classes, once the skin data library exists.
if(TARGET qelvo_skin_data)
  target_sources(qelvo_skin_engine PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/BsSkinDataGeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/BsSkinDataGeometry.h)
  target_link_libraries(qelvo_skin_engine PUBLIC qelvo_skin_data)
else()
  target_link_libraries(qelvo_skin_engine PUBLIC qelvo_skin_format)
endif()
