# The report list's model: filling, sorting and refilling 20,000 rows; and a
# list view's sort of 20,000 records by their field texts.
add_executable(list_bench ListBench.cpp)
target_link_libraries(list_bench PRIVATE rotavex_shell_rules zelkit framework)
