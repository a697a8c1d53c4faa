// Resource ids of the pen settings sheet.
#pragma once

#define IDD_PEN_SHEET 200
#define IDS_APP_TITLE 57344

#define IDC_SWATCH_FIRST 1001   // ten colour swatches, 1001..1010
#define IDC_SWATCH_LAST 1010
#define IDC_WIDTH_FIRST 1101    // five preset widths, 1101..1105
#define IDC_WIDTH_LAST 1105
#define IDC_COLOUR_LABEL 1150
#define IDC_WIDTH_LABEL 1151
#define IDC_WIDTH_RANGE 1152
#define IDC_CHOOSE_COLOUR 1201
#define IDC_WIDTH_EDIT 1202
#define IDC_WIDTH_SET 1203
#define IDC_CURRENT_COLOUR 1204
#define IDC_PREVIEW 1301
