# The timeslot grid control: the grid without a window (days, sets, slots,
# limits, undo store) and its window; the base of the library's controls
# that dialogs hold by class name.
list(APPEND ZELKIT_CORE_SOURCES ZelControlPorts.cpp ZelDrawText.cpp ZelTimeslotGrid.cpp ZelTimeslotPaint.cpp ZelTimeslotCoords.cpp ZelTimeslotEdit.cpp ZelTimeslotClipboard.cpp
  ZelTimeslotMenu.cpp ZelTimeslotDisplayGrid.cpp)
list(APPEND ZELKIT_UI_SOURCES ui/ZelCustomCtrl.cpp ui/ZelWxDrawPort.cpp ui/ZelWxMenu.cpp ui/ZelWxKeys.cpp ui/ZelTimeslotCtrl.cpp
  ui/ZelTimeslotDialogs.cpp ui/ZelTimeslotDisplayCtrl.cpp)

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
