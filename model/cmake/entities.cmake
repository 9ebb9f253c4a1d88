# What the timetable holds: the scheduled entities (groups and participants
# with their limits and checks) and their lists.
list(APPEND MODEL_SOURCES Group.cpp GroupList.cpp Participant.cpp SchedEntity.cpp)
