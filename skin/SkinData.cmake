# The skin data model: the loaded skin, its skin objects and control skins,
# colours and resource strings. Qt Widgets is needed only to announce skin
# changes to the application's windows.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(qelvo_skin_data STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BsSkinSectionIO.cpp ${CMAKE_CURRENT_LIST_DIR}/BsSkinSectionIO.h
  ${CMAKE_CURRENT_LIST_DIR}/BsSkinObjects.cpp ${CMAKE_CURRENT_LIST_DIR}/BsSkinObjects.h
  ${CMAKE_CURRENT_LIST_DIR}/BsSkinControls.cpp ${CMAKE_CURRENT_LIST_DIR}/BsSkinControls.h
  ${CMAKE_CURRENT_LIST_DIR}/BsSkinColors.cpp ${CMAKE_CURRENT_LIST_DIR}/BsSkinColors.h
  ${CMAKE_CURRENT_LIST_DIR}/BsResourceStrData.cpp ${CMAKE_CURRENT_LIST_DIR}/BsResourceStrData.h
  ${CMAKE_CURRENT_LIST_DIR}/Bsskindata.cpp ${CMAKE_CURRENT_LIST_DIR}/Bsskindata.h
  ${CMAKE_CURRENT_LIST_DIR}/BsStoredSkinFromData.cpp)
set_target_properties(qelvo_skin_data PROPERTIES AUTOMOC ON)
target_include_directories(qelvo_skin_data PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qelvo_skin_data PUBLIC qelvo_settings qelvo_skin_format qelvo_base Qt6::Widgets)
