# The program's mail (the composer for the document's and the lists' mail
# commands).
target_sources(rotavex_shell_rules PRIVATE MailSetup.cpp)
