# Tests of the skin data model: keys of every skin class, loading, saving,
# announcements and hostile input.
qelvo_add_test(skin_data_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SkinDataTestSkin.cpp ${CMAKE_CURRENT_LIST_DIR}/SkinDataTestSkin.h
    ${CMAKE_CURRENT_LIST_DIR}/SkinDataKeysTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinDataLoadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinDataAnnounceTest.cpp
  LIBS qelvo_skin_data)
