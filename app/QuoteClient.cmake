# The program's identity constants, the quote client and the refresh cycle.

set(QELVO_MAKER_SITE "" CACHE STRING
    "The maker's site, scheme and host (e.g. http://www.example.com). Empty: no maker service is contacted")
if(QELVO_MAKER_SITE AND NOT QELVO_MAKER_SITE MATCHES "^https?://[^/?#\"]+/?$")
  message(FATAL_ERROR "QELVO_MAKER_SITE must be scheme and host, like http://www.example.com")
endif()

add_library(qelvo_durora STATIC ${CMAKE_CURRENT_LIST_DIR}/Durora.cpp ${CMAKE_CURRENT_LIST_DIR}/Durora.h)
target_include_directories(qelvo_durora PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(qelvo_durora PRIVATE "QELVO_MAKER_SITE=\"${QELVO_MAKER_SITE}\"")
target_link_libraries(qelvo_durora PUBLIC qelvo_settings)

target_sources(qelvo_quote PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StockDataClient.cpp ${CMAKE_CURRENT_LIST_DIR}/StockDataClient.h
  ${CMAKE_CURRENT_LIST_DIR}/StockRefresh.cpp ${CMAKE_CURRENT_LIST_DIR}/StockRefresh.h)
target_link_libraries(qelvo_quote PUBLIC qelvo_durora nuv_core_net platform_web)
