qelvo_add_bench(quote_parse SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/quote_parse.cpp LIBS qelvo_quote)
