// The program's command ids: the application's, the main frame's and the
// commands its panes receive from it. The document's own commands are in
// model/EventDoc.h. On screen the ids go through CommandWxId
// (shell/frame/WxCommands.h): the framework's commands become wx's own.
#pragma once

#include "framework/Types.h"

enum : UINT {
    // ---- the framework's commands ----
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_SEND_MAIL = 57612,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE4 = 57619,
    ID_EDIT_CLEAR = 57632,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,

    // ---- the application's ----
    ID_FILE_OPEN_SAMPLE = 32817,

    // ---- the main frame's ----
    ID_ADD_VENUE = 32802,
    ID_ADD_PARTICIPANT = 32808,
    ID_ADD_GROUP = 32811,
    ID_HELP_LICENCE = 32812,
    ID_HELP_USER_GUIDE = 32816,
    ID_HELP_RELEASE_NOTES = 32818,
    ID_PRINT_PARTICIPANT_LIST = 32819,
    ID_PRINT_VENUE_LIST = 32821,
    ID_PRINT_GROUP_LIST = 32823,
    ID_PRINT_TIMETABLE = 32824,
    ID_PREVIEW_TIMETABLE = 32826,
    ID_PREVIEW_GROUP_LIST = 32827,
    ID_PREVIEW_PARTICIPANT_LIST = 32828,
    ID_PREVIEW_VENUE_LIST = 32829,
    ID_PREVIEW_GROUP_LABELS = 32830,
    ID_PRINT_GROUP_LABELS = 32831,
    ID_PREVIEW_PARTICIPANT_LABELS = 32832,
    ID_PRINT_PARTICIPANT_LABELS = 32833,
    ID_SEND_SELECTION_MAIL = 32844,
    ID_EXPORT_HTML = 32835,
    ID_EXPORT_TEXT = 32836,
    ID_RESET_VIEWS = 32854,
    ID_OPEN_LAST = 32856,
    ID_IMPORT_WEB = 32859,
    ID_IMPORT_FILE = 32860,
    ID_UNROSTER_PARTICIPANTS = 32865,
    ID_PREPEND_SMTP = 32891,

    // ---- what the frame sends on to the list views ----
    ID_LIST_PREVIEW = 32825,
    ID_LIST_PREVIEW_LABELS = 32834,
    ID_LIST_PRINT_LABELS = 32839,
    ID_LIST_PRINT = 32840,

    // ---- the panes' own commands that the frame's menus name ----
    // The frame only lists them; the pane's view answers them (the day
    // grid of the timetable view, the participant and the group pane).
    ID_LOCK_PLACEMENTS = 32841,
    ID_UNLOCK_PLACEMENTS = 32842,
    ID_LOCK_TIMETABLE = 32852,
    ID_UNLOCK_TIMETABLE = 32853,
    ID_CHANGE_TIMESLOTS = 32868,
    ID_APPLY_ALL_PARTICIPANT_PREFS = 32878,
    ID_APPLY_PARTICIPANT_LIMITS_PREFS = 32879,
    ID_APPLY_PARTICIPANT_ROSTER_PREFS = 32880,
    ID_APPLY_ALL_GROUP_PREFS = 32881,
    ID_APPLY_GROUP_LIMITS_PREFS = 32882,
    ID_APPLY_GROUP_ALLOC_PREFS = 32883,
    ID_APPLY_GROUP_ROSTER_PREFS = 32884,
    ID_APPLY_GROUP_ROTATION_PREFS = 32886,
    ID_SEND_GROUP_MEMBER_MAIL = 32890,
};
