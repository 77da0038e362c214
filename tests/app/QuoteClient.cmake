# The quote client and the refresh cycle against the loopback fake services.
qelvo_add_test(quote_client_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StockDataClientTest.cpp ${CMAKE_CURRENT_LIST_DIR}/RefreshCycleTest.cpp
  LIBS qelvo_quote qelvo_loopback_web)
