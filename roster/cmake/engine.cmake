# The rostering engine: the status block and the ports to the user
# interface, the moves and transactions, the two passes, the recount,
# un-rostering and the error report, the placement search, and the run on
# its worker thread.
list(APPEND ROSTER_SOURCES RosterStatus.cpp RosterPorts.cpp RosterMove.cpp RosterEngine.cpp RosterSearch.cpp
     RosterRun.cpp
     RosterDrivers.cpp)
