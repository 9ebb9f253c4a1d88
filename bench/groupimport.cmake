# Importing 50,000 groups into the group pane, record by record, new and
# already there.
add_executable(group_import_bench GroupImportBench.cpp)
target_link_libraries(group_import_bench PRIVATE rotavex_shell_rules zelkit framework)
