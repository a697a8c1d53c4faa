// Resource and command ids of the whiteboard program.
#pragma once

#define IDR_MAINFRAME 128                 // document template: frame title and icon
#define IDS_APP_TITLE 57344
#define IDS_FILES_MISSING 61514

#define ID_APP_ABOUT 57664
#define ID_FILE_NEW 57600
#define ID_FILE_PRINT_SETUP 57606
#define ID_SAVING_SETTING 33037

#define WM_SHOW_WHITEBOARD 2039           // from the callback: show the board (sent)
