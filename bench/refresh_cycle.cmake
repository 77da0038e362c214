qelvo_add_bench(refresh_cycle SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/refresh_cycle.cpp
                LIBS qelvo_quote qelvo_loopback_web)
