// Resource and command ids, shared by tavune.rc and the C++ sources.
#pragma once

#define IDS_TITLE 101
#define IDD_VERSION 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDI_MAIN 106
#define IDR_MAIN 108

#define ID_FILE_NEW 129
#define ID_FILE_OPEN 130
#define ID_VIEW_LARGE 132
#define ID_VIEW_MIDDLE 133
#define ID_VIEW_SMALL 134
#define ID_NEXT_BLACK 136
#define ID_NEXT_WHITE 137
#define ID_NEXT_BLACK_MANY 138
#define ID_NEXT_WHITE_MANY 139
#define ID_LOOK_NEXT 141
#define ID_LOOK_BACK 142
#define ID_LOOK_HOME 143
#define ID_LOOK_END 144
#define ID_LOOK_DEL 145
#define ID_VIEW_LARGE_VERY 146
#define ID_VIEW_SMALL_VERY 147
#define ID_FILE_SAVE 153
#define ID_FILE_SAVE_AS 154

#define IDB_TOOLBAR 149
#define IDB_TILES_48 150
#define IDB_COLUMN_LABELS 151
#define IDB_ROW_LABELS 152
#define IDB_TILES_40 155
#define IDB_TILES_32 156
#define IDB_TILES_24 157
#define IDB_TILES_16 158

#define IDC_PRODUCT_VERSION 1000
#define IDC_LEGAL_NOTICE 1001
#define IDC_PRODUCT_NAME 1003
