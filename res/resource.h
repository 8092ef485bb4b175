// Numeric ids of every resource, command, control and string of Halyard. One header for all.
#pragma once

// ---- Frame and document resources ----------------------------------------------------------
#define IDR_MAINFRAME                   128   // frame menu, icon, accelerators, toolbar, title
#define IDR_HALYARDTYPE                 129   // document menu, icon and template string
#define IDD_ABOUTBOX                    100
#define IDD_NEW                         133
#define IDD_SEGMENTVIEW                 134
#define IDD_SEARCH                      135
#define IDI_SEARCH_TAB                  136
#define IDI_SEGMENT_TAB                 137
#define IDD_NEW_FILE_PAGE               139
#define IDD_NEW_PROJECT_PAGE            140
#define IDD_SELECTOR                    142   // the mode bar
#define IDI_TREE_ROOT                   143
#define IDI_TREE_FILE                   144
#define IDI_TREE_FILE_SELECTED          145
#define IDB_ASCII_TABLE                 146
#define IDD_ASCII_TABLE                 147
#define IDI_WELCOME                     148
#define IDD_NAME_PROMPT                 153
#define IDI_SEGMENT_ROOT                151   // the root of the snippet tree
#define IDC_MARGIN_CURSOR               22900
#define IDR_EDITOR_ACCEL                22901
#define IDB_BOOKMARKS                   22902
#define IDB_TOOLBAR                     128   // toolbar bitmap strip (bitmap namespace)

// ---- Controls --------------------------------------------------------------------------------
#define IDC_WORKSPACE_TREE              100
#define IDC_OUTPUT_EDIT                 101
#define IDC_WORKSPACE_BAR               123
#define IDC_OUTPUT_BAR                  124
#define IDC_WORKSPACE_TABS              125
// Controls of the WorkSpace pages (ids are per dialog)
#define IDC_SEARCH_KEYWORD              1004
#define IDC_SEGMENT_ADD                 1005
#define IDC_SEGMENT_DELETE              1006
#define IDC_SEGMENT_TREE                1007
#define IDC_SEGMENT_EDIT                1008
#define IDC_SEGMENT_SIZE                1015
#define IDC_SEARCH_GO                   1094
#define IDC_SEARCH_LIST                 1095
#define IDC_SEARCH_COUNT                1096
#define IDC_SEARCH_DETAILS              1097  // the chosen topic's details, under the list
#define IDC_SEGMENT_NAME                1016  // the name prompt's edit (dialog 153)
#define IDC_SELECT_ASSEMBLER            1012
#define IDC_SELECT_BITNESS              1013
#define IDC_SELECT_SUMMARY              1014
#define IDC_SELECT_CONFIG               1015
#define IDC_SELECT_CPU                  1016

// Controls and strings of the New dialog (133) and its pages (139, 140); ids are per dialog
#define IDI_NEW_TEMPLATE                149   // the template list's icon
#define IDC_NEW_TABS                    1001
#define IDC_NEW_ADD_TO_PROJECT          1002
#define IDC_NEW_PROJECT_LIST            1003
#define IDC_NEW_LOCATION                1004
#define IDC_NEW_FILE_NAME               1006
#define IDC_NEW_CPU                     1008
#define IDC_NEW_TEMPLATES               1009
#define IDC_NEW_BROWSE                  1010
#define IDS_NEW_REPLACE                 8700   // "%s already exists. Replace it?"
#define IDS_NEW_NO_TEMPLATE             8701   // "Cannot find the template %s."
#define IDS_NEW_COPY_FAILED             8702   // "Cannot create %s."
#define IDS_NEW_TARGET_OPEN             8703   // "%s is open in the editor."
#define IDS_NEW_NO_NAME                 8704   // "Type a file name and a location."

// Messages of the snippet library
#define IDS_SEGMENT_NO_NAME             8720
#define IDS_SEGMENT_BAD_CHARACTERS      8721   // the characters refused
#define IDS_SEGMENT_BAD_END             8722   // the name
#define IDS_SEGMENT_RESERVED            8723   // the name
#define IDS_SEGMENT_EXISTS              8724   // the name
#define IDS_SEGMENT_DELETE              8725   // the name
#define IDS_SEGMENT_CREATE_FAILED       8726   // the path, then the system's reason
#define IDS_SEGMENT_DELETE_FAILED       8727   // the path, then the system's reason
#define IDS_SEGMENT_READ_FAILED         8728   // the path, then the system's reason

// ---- Framework command ids -------------------------------------------------------------------
#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_FILE_CLOSE                   57602
#define ID_FILE_SAVE                    57603
#define ID_FILE_SAVE_AS                 57604
#define ID_FILE_PAGE_SETUP              57605
#define ID_FILE_PRINT_SETUP             57606
#define ID_FILE_PRINT                   57607
#define ID_FILE_PRINT_DIRECT            57608
#define ID_FILE_PRINT_PREVIEW           57609
#define ID_FILE_MRU_FILE1               57616
#define ID_FILE_MRU_FILE4               57619
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_FIND                    57636
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_REPEAT                  57640
#define ID_EDIT_REPLACE                 57641
#define ID_EDIT_SELECT_ALL              57642
#define ID_EDIT_UNDO                    57643
#define ID_EDIT_REDO                    57644
#define ID_WINDOW_NEW                   57648
#define ID_WINDOW_ARRANGE               57649
#define ID_WINDOW_CASCADE               57650
#define ID_WINDOW_TILE_HORZ             57651
#define ID_WINDOW_TILE_VERT             57652
#define ID_WINDOW_SPLIT                 57653
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665
#define ID_VIEW_TOOLBAR                 59392
#define ID_VIEW_STATUS_BAR              59393
#define ID_INDICATOR_CAPS               59137
#define ID_INDICATOR_NUM                59138
#define ID_INDICATOR_SCRL               59139
#define ID_INDICATOR_OVR                59140
#define ID_SEPARATOR                    0
#define AFX_IDW_PANE_FIRST              0xE900

// ---- Halyard command ids ---------------------------------------------------------------------
#define ID_EDIT_READONLY                32795
#define ID_EDIT_DISABLEBSATSOL          32796
#define ID_EDIT_DISABLEDRAGDROP         32797
#define ID_BUILD_COMPILE                32800
#define ID_BUILD_LINK                   32801
#define ID_DEBUG_DEBUG                  32802
#define ID_BUILD_RUN                    32803
#define ID_PROGRAM_LOCATION             32804
#define ID_BUILD_STOP                   32806
#define ID_FILE_NEW_DIALOG              32809
#define ID_MODE_MASM                    32811
#define ID_MODE_TASM                    32813
#define ID_MODE_NASM                    32817
#define ID_VIEW_WORKSPACE               32819
#define ID_VIEW_OUTPUT                  32820
#define ID_DEBUG_CV                     32821
#define ID_DEBUG_TD                     32822
#define ID_ASCII_TABLE                  32823
#define ID_BACKGROUND_MUSIC             32824
#define ID_THEME_NORMAL                 32826
#define ID_THEME_DARK                   32827
#define ID_CALCULATOR                   32828
#define ID_HELP_SUGGEST                 32829
#define ID_HELP_QUESTIONS               32831
#define ID_HELP_HOMEPAGE                32832
#define ID_REFERENCE_LOOKUP             32833   // F1 in an editor: the word at the caret in the Search page
#define ID_BUILD_DOS_PROMPT             32840   // a DOS session window in the document's folder
#define ID_BUILD_RUN_SESSION            32841   // the built program typed at the DOS session's prompt
#define ID_BUILD_TOOLCHAIN_FOLDERS      32842   // copies the course's DOS tools into bin\masm16, bin\tasm16
// ---- The debugger in Halyard: the program runs in Dosrun, stepped by the source's lines ---------
#define ID_DEBUG_HALYARD                32850   // Alt+F5: build if needed, map, start the run
#define ID_DEBUG_TOGGLE_BREAKPOINT      32851   // F9 (and a click in the editor's icon margin)
#define ID_DEBUG_STEP_OVER              32852   // F10
#define ID_DEBUG_STEP_INTO              32853   // F11
#define ID_DEBUG_STEP_OUT               32854   // Shift+F11
#define ID_DEBUG_RUN_TO_CURSOR          32855   // Ctrl+F10
#define ID_DEBUG_CONTINUE               32856   // F8
#define ID_DEBUG_PAUSE                  32857   // Ctrl+F8
#define ID_DEBUG_STOP                   32858   // Shift+F5
#define ID_DEBUG_STEP_BACK              32859   // Ctrl+Shift+F11
#define IDC_REGISTERS_BAR               126
#define IDC_MEMORY_BAR                  127
#define IDC_STACK_BAR                   130
#define IDC_WATCH_BAR                   131

// Editor view commands
#define ID_EDIT_DELETE                  37000
#define ID_EDIT_DELETE_BACK             37001
#define ID_EDIT_DELETE_WORD_BACK        37002
#define ID_EDIT_TAB                     37003
#define ID_EDIT_UNTAB                   37004
#define ID_EDIT_SWITCH_OVRMODE          37005
#define ID_EDIT_FIRST_MOVE              37100
#define ID_EDIT_LAST_MOVE               37125
// Caret movement: each second id of a pair extends the selection
#define ID_EDIT_CHAR_LEFT               37100
#define ID_EDIT_EXT_CHAR_LEFT           37101
#define ID_EDIT_CHAR_RIGHT              37102
#define ID_EDIT_EXT_CHAR_RIGHT          37103
#define ID_EDIT_WORD_LEFT               37104
#define ID_EDIT_EXT_WORD_LEFT           37105
#define ID_EDIT_WORD_RIGHT              37106
#define ID_EDIT_EXT_WORD_RIGHT          37107
#define ID_EDIT_LINE_UP                 37108
#define ID_EDIT_EXT_LINE_UP             37109
#define ID_EDIT_LINE_DOWN               37110
#define ID_EDIT_EXT_LINE_DOWN           37111
#define ID_EDIT_SCROLL_UP               37112
#define ID_EDIT_SCROLL_DOWN             37113
#define ID_EDIT_PAGE_UP                 37114
#define ID_EDIT_EXT_PAGE_UP             37115
#define ID_EDIT_PAGE_DOWN               37116
#define ID_EDIT_EXT_PAGE_DOWN           37117
#define ID_EDIT_LINE_END                37118
#define ID_EDIT_EXT_LINE_END            37119
#define ID_EDIT_HOME                    37120
#define ID_EDIT_EXT_HOME                37121
#define ID_EDIT_TEXT_BEGIN              37122
#define ID_EDIT_EXT_TEXT_BEGIN          37123
#define ID_EDIT_TEXT_END                37124
#define ID_EDIT_EXT_TEXT_END            37125
#define ID_EDIT_FIND_PREVIOUS           37126
#define ID_EDIT_TOGGLE_BOOKMARK0        37200
#define ID_EDIT_GO_BOOKMARK0            37210
#define ID_EDIT_CLEAR_BOOKMARKS         37220
#define ID_EDIT_TOGGLE_BOOKMARK         37223
#define ID_EDIT_GOTO_NEXT_BOOKMARK      37224
#define ID_EDIT_GOTO_PREV_BOOKMARK      37225
#define ID_EDIT_CLEAR_ALL_BOOKMARKS     37226
#define ID_EDIT_INDICATOR_POSITION      37903
#define ID_INDICATOR_BLANK              37900
#define ID_INDICATOR_READ               37901
#define ID_EDIT_INDICATOR_CRLF          37902

// ---- Strings -------------------------------------------------------------------------------
#define IDS_APP_NAME                    57344
#define IDS_IDLE_MESSAGE                57345
#define IDS_OLE_INIT_FAILED             57608
#define IDS_ALL_FILES_FILTER            61442
#define IDS_OPEN_FILE_TITLE             61443
#define IDS_SAVE_FILE_TITLE             61444
#define IDS_SAVE_CHANGES                61445   // "Save changes to %s?"
#define IDS_OPEN_FAILED                 61446   // "Cannot open %s.\n%s"
#define IDS_SAVE_FAILED                 61447   // "Cannot save %s.\n%s"
#define IDS_DIR_TOO_LONG                61448

// ---- Undo and redo captions of the text buffer -----------------------------------------------
#define IDS_EDIT_UNDO_ACTION            8615   // "&Undo %s\tCtrl+Z"
#define IDS_EDIT_REDO_ACTION            8616   // "&Redo %s\tCtrl+Y"
#define IDS_EDIT_UNDO                   8617   // "&Undo\tCtrl+Z"
#define IDS_EDIT_REDO                   8618   // "&Redo\tCtrl+Z"
#define IDS_ACTION_UNKNOWN              8619
#define IDS_ACTION_PASTE                8620
#define IDS_ACTION_DELSEL               8621
#define IDS_ACTION_CUT                  8622
#define IDS_ACTION_DELETE               8623
#define IDS_ACTION_TYPING               8624
#define IDS_ACTION_BACKSPACE            8625
#define IDS_ACTION_INDENT               8626
#define IDS_ACTION_DRAGDROP             8627
#define IDS_ACTION_REPLACE              8628
#define IDS_ACTION_AUTOINDENT           8629

// ---- Find and replace dialogs ------------------------------------------------------------------
#define IDD_FIND                        8601
#define IDD_REPLACE                     8602
#define IDC_WHOLE_WORD                  8603
#define IDC_MATCH_CASE                  8604
#define IDC_FIND_WHAT                   8605
#define IDS_CANNOT_FIND                 8606   // "Cannot find string"%s""
#define IDC_REPLACE                     8607
#define IDC_REPLACE_ALL                 8608
#define IDC_REPLACE_WITH                8609
#define IDC_FIND_NEXT                   8610
#define IDC_DIRECTION_UP                8611
#define IDC_DIRECTION_DOWN              8612
#define IDC_SCOPE_SELECTION             8613
#define IDC_SCOPE_WHOLE_FILE            8614

// ---- Utility commands: About box, ASCII table, Help links ---------------------------------------
#define IDC_ABOUT_TEXT                  1000   // the About box's read-only text
#define IDC_ABOUT_VERSION               1001
#define IDC_ASCII_PICTURE               1002
#define IDS_URL_HOMEPAGE                24100  // the pages of the Help menu: a distributor's to change
#define IDS_URL_SUGGEST                 24101
#define IDS_URL_QUESTIONS               24102
#define IDS_ABOUT_TEXT                  24103

// ---- From a tool's message to its source line -------------------------------------------------
#define ID_NEXT_MESSAGE                 32900  // F4: the next Output line that names a source line
#define ID_PREV_MESSAGE                 32901  // Shift+F4: the previous one
// ---- Finding one's way in a source: definitions, lines, the WorkSpace outline -------------------
#define ID_EDIT_GOTO_DEFINITION         32902  // F12: to the definition of the name at the caret
#define ID_EDIT_GOTO_LINE               32903  // Ctrl+G: asks for a line number
#define IDD_GOTO_LINE                   24300
#define IDC_GOTO_LINE_NUMBER            24301
#define IDC_GOTO_LINE_RANGE             24302  // "Line number (1 - n):"
#define IDS_NO_DEFINITION               24303  // "No definition of %s in this file"
#define IDS_NO_NAME_AT_CARET            24304
#define IDS_GOTO_LINE_RANGE             24305  // "行号（1 - %s）："
#define IDS_GOTO_LINE_INVALID           24306
// ---- Printing, page setup and print preview ------------------------------------------------------
#define IDS_NO_PRINTER                  24200  // no printer installed: nothing printed
#define IDS_PRINT_FAILED                24201  // "Printing %s failed."
#define IDS_PRINT_PREVIEW_TITLE         24202  // "Print Preview - %s"
#define IDS_PREVIEW_ONE_PAGE            24203
#define IDS_PREVIEW_TWO_PAGE            24204
#define IDS_PRINTING_PAGE               24205  // "printing page %s"
#define IDD_PRINT_PREVIEW_BAR           24210
#define IDC_PREVIEW_PAGE                24211  // the page number in the preview's bar
#define IDD_PRINTING                    24220  // the window of a job being printed, with Cancel
#define IDC_PRINTING_DOC                24221
#define IDC_PRINTING_PAGE               24222
#define ID_PREVIEW_CLOSE                58112
#define ID_PREVIEW_NUMPAGE              58113
#define ID_PREVIEW_NEXT                 58114
#define ID_PREVIEW_PREV                 58115
#define ID_PREVIEW_PRINT                58116
#define ID_PREVIEW_ZOOMIN               58117
#define ID_PREVIEW_ZOOMOUT              58118
