# The connectivity helper lives apart from nuv_core so nuv_core stays free of libcurl.
add_library(nuv_core_net STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NuvInternet.cpp ${CMAKE_CURRENT_LIST_DIR}/NuvInternet.h)
target_include_directories(nuv_core_net PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(nuv_core_net PUBLIC nuv_core platform_web qelvo_settings)
