# The report list's model: filling, sorting and refilling 20,000 rows.
add_executable(list_bench ListBench.cpp)
target_link_libraries(list_bench PRIVATE zelkit framework)
