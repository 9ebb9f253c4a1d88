# The timeslot grid control: the grid without a window (days, sets, slots,
# limits, undo store) and its window; the base of the library's controls
# that dialogs hold by class name.
list(APPEND ZELKIT_CORE_SOURCES controls/ZelControlPorts.cpp windows/ZelDrawText.cpp controls/ZelTimeslotGrid.cpp controls/ZelTimeslotPaint.cpp controls/ZelTimeslotCoords.cpp controls/ZelTimeslotEdit.cpp controls/ZelTimeslotClipboard.cpp
  controls/ZelTimeslotMenu.cpp controls/ZelTimeslotDisplayGrid.cpp)
list(APPEND ZELKIT_UI_SOURCES controls/ui/ZelCustomCtrl.cpp controls/ui/ZelWxDrawPort.cpp controls/ui/ZelWxMenu.cpp controls/ui/ZelWxKeys.cpp controls/ui/ZelTimeslotCtrl.cpp
  controls/ui/ZelTimeslotDialogs.cpp controls/ui/ZelTimeslotDisplayCtrl.cpp)

rvx_add_test(NAME zelkit_timeslotctrl_tests
  SOURCES tests/TimeslotGridTest.cpp tests/TimeslotLayoutTest.cpp tests/TimeslotEditTest.cpp tests/TimeslotTipTest.cpp
  tests/TimeslotClipboardTest.cpp tests/TimeslotMenuTest.cpp
  tests/TimeslotDisplayTest.cpp
  LIBS zelkit framework)
rvx_add_test(NAME zelkit_timeslotctrl_ui_tests
  SOURCES tests/CustomCtrlWxTest.cpp tests/TimeslotCtrlWxTest.cpp tests/TimeslotDialogsWxTest.cpp
  tests/TimeslotExchangeWxTest.cpp
  LIBS zelkit framework WX)

# A look at the grid by hand (not a test).
add_executable(zelkit_timeslot_demo demo/TimeslotDemo.cpp)
target_link_libraries(zelkit_timeslot_demo PRIVATE zelkit framework)
rvx_use_wx(zelkit_timeslot_demo)
