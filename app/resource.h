// Resource and command ids of the whiteboard program.
#pragma once

#define IDR_MAINFRAME 128                 // document template: frame title and icon; main toolbar
#define IDS_APP_TITLE 57344
#define IDS_FILES_MISSING 61514
#define IDS_UNTITLED 61443
#define IDS_SAVE_CHANGES_QUESTION 34113

// The framework's standard commands.
#define ID_APP_ABOUT 57664
#define ID_FILE_NEW 57600
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_DIRECT 57608
#define ID_FILE_PRINT_PREVIEW 57609

// Whiteboard commands (toolbars, tray menu).
#define ID_VIEW_LIST 45003
#define ID_INTERACTIVE_MODE 32977
#define ID_FAST_PEN_SET 32835
#define ID_ACCURATE_PEN_SET 32838
#define ID_HIGHLIGHT 32810
#define ID_TOGGLE_ERASER 32808            // set A: pen current, press for the eraser
#define ID_TOGGLE_PEN 33105               // set B: eraser current, press for the pen
#define ID_SHAPE_FREEFORM 32809
#define ID_SHAPE_LINE 32902
#define ID_SHAPE_CIRCLE 32901
#define ID_SHAPE_RECTANGLE 32903
#define ID_SHAPE_FREEFORM_B 33107
#define ID_SHAPE_LINE_B 33109
#define ID_SHAPE_CIRCLE_B 33111
#define ID_SHAPE_RECTANGLE_B 33113
#define ID_CLEAR_PAGE 33051
#define ID_DELETE_PAGE 33060
#define ID_BACKGROUND_PICTURE 32858
#define ID_BACKGROUND_CYCLE 33040
#define ID_NEW_PAGE 32984
#define ID_COPY_LAST_PAGE 32897
#define ID_UNDO 45001
#define ID_REDO 45002
#define ID_SAVE_BOARD 33041
#define ID_MORE_TOOLS 45004
#define ID_SCREEN_SHADE 32898
#define ID_SPOTLIGHT 33049
#define ID_MINIMIZE_TOOLBAR 33047
#define ID_TRAY_EXIT 32894
#define ID_TRAY_ABOUT 32982
#define ID_SAVING_SETTING 33037
#define ID_SYSTEM_SETTINGS 59308

// Toolbars, menus and panels.
#define IDR_MORE_TOOLBAR 272
#define IDB_MAIN_TOOLBAR 311
#define IDB_MAIN_TOOLBAR_DISABLED 320
#define IDB_MORE_TOOLBAR 276
#define IDB_MORE_TOOLBAR_DISABLED 281
#define IDI_TRAY 247
#define IDI_MENU_SETTINGS 242
#define IDI_MENU_ABOUT 252
#define IDI_MENU_EXIT 178
#define IDD_STATUS_PANEL 262
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_NOTICE 1025
#define IDS_TOOLBAR_TITLE 59410
#define IDS_MENU_SAVING_SETTING 59421
#define IDS_MENU_ABOUT 59424
#define IDS_MENU_EXIT 59425
#define IDS_TRAY_TIP 57671

// The board view.
#define IDC_PEN_CURSOR 146
#define IDC_ERASER_CURSOR 147
#define IDC_HIGHLIGHTER_CURSOR 166
#define IDS_DELETE_PAGE_QUESTION 59427
#define IDS_CLEAR_PAGE_QUESTION 59428

// The page list.
#define IDD_PAGE_LIST 267
#define IDC_PAGE_LIST_SCROLL 1030
#define IDB_LIST_HEADER_TRANSLUCENT 283
#define IDB_LIST_HEADER_OPAQUE 284
#define IDB_LIST_HEADER_TRANSLUCENT_FOLDED 285
#define IDB_LIST_HEADER_OPAQUE_FOLDED 286
#define IDB_LIST_SIDES 270
#define IDB_LIST_BOTTOM 271

#define WM_SHOW_WHITEBOARD 2039           // from the callback: show the board (sent)
#define WM_TRAY_NOTIFY 2570               // from the shell: the tray icon was clicked
