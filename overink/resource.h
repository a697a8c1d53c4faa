// Resource ids of the desktop annotation library.
#pragma once

#define IDI_OVERINK 128
#define IDS_OWNER_TITLE 22
#define IDS_APP_TITLE 57344

#define IDD_OVERLAY 5000
#define IDD_PALETTE 5010
#define IDD_PEN_LAYER 5015
#define IDD_HIGHLIGHT_LAYER 5017
#define IDD_HIDDEN_OWNER 5041

// Palette buttons 1 to 20, in button order; button n's tooltip is string n + 1.
#define IDC_TOOL_1 5007
#define IDC_TOOL_2 5009
#define IDC_TOOL_3 5011
#define IDC_TOOL_4 5012
#define IDC_TOOL_5 5014
#define IDC_TOOL_6 5016
#define IDC_TOOL_7 5018
#define IDC_TOOL_8 5020
#define IDC_TOOL_9 5022
#define IDC_TOOL_10 5023
#define IDC_TOOL_11 5025
#define IDC_TOOL_12 5027
#define IDC_TOOL_13 5029
#define IDC_TOOL_14 5031
#define IDC_TOOL_15 5033
#define IDC_TOOL_16 5034
#define IDC_TOOL_17 5035
#define IDC_TOOL_18 5037
#define IDC_TOOL_19 5039
#define IDC_TOOL_20 5041

// Picture strips of the palette: twenty 25 x 25 pictures in button order.
#define IDB_PALETTE_ALTERNATE 5001
#define IDB_PALETTE_NORMAL 5003
#define IDB_PALETTE_DISABLED 5008

// Cursors of the drawing tools.
#define IDC_CURSOR_PEN 5046
#define IDC_CURSOR_HIGHLIGHTER 5047
#define IDC_CURSOR_ERASER 5048
