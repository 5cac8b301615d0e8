// Numbers of the resources the library looks up through the resource chain.
// The library carries the first group itself (catalogue.cpp); the language
// modules carry all of them, translated.
#pragma once

// --- Strings carried by the library and the language modules

// One-letter weekday headings, Monday first.
#define IDS_NB_DOW_MONDAY 12501
#define IDS_NB_DOW_TUESDAY 12502
#define IDS_NB_DOW_WEDNESDAY 12503
#define IDS_NB_DOW_THURSDAY 12504
#define IDS_NB_DOW_FRIDAY 12505
#define IDS_NB_DOW_SATURDAY 12506
#define IDS_NB_DOW_SUNDAY 12507
#define IDS_NB_NO_ITEMS 12520
#define IDS_NB_ENTER_PASSWORD 12527
#define IDS_NB_PASSWORD_INCORRECT 12528
#define IDS_NB_EDIT_PRIVATE_RECORD 12529
#define IDS_NB_YEAR_FORMAT 12545
#define IDS_NB_MONTH_YEAR_FORMAT 12546
#define IDS_NB_NO_PHOTO 12547
#define IDS_NB_NO_CONNECTION 14000
#define IDS_NB_BAD_URL 14001
#define IDS_NB_CORRUPT_IMAGE 14002
#define IDS_NB_CATEGORY_STORE_FAILED 14020      // "%1" = why
#define IDS_NB_SUBSCRIPTION_SAVE_FAILED 14021
#define IDS_NB_SUBSCRIPTION_NAME_RESERVED 14022  // "%1" = new, "%2" = old
#define IDS_NB_CATEGORY_GONE 14023              // "%1" = category name

// --- Dialog templates carried by the library and the language modules

#define IDD_NB_MASKING_PASSWORD 548
#define IDD_NB_COLOR_CATEGORIES 600
#define IDD_NB_DAY_PICKER 607
#define IDD_NB_PASSWORD 20025

// --- Bitmaps carried by the library and the language modules

#define IDB_NB_NOTE 1001        // 16 x 16, 4 bits per pixel, red = transparent
#define IDB_NB_PRIVATE 14003    // padlock, 14 x 15, 4 bits per pixel, red = transparent
#define IDB_NB_CHECK 14010      // check mark, 8 x 8, 8 bits per pixel, red = transparent
#define IDB_NB_DEFAULT_IMAGE 14011  // default picture, 53 x 53, 8 bits per pixel

// --- Resources only the language modules carry

#define IDS_NB_DELETE_CATEGORY_TITLE 180   // "%1" = category name
#define IDS_NB_UNFILED 181
#define IDS_NB_NEW_CATEGORY_CAPTION 182
#define IDS_NB_NEW_CATEGORY_EMPTY 183
#define IDS_NB_RENAME_CATEGORY_EMPTY 184
#define IDS_NB_RENAME_CATEGORY_CAPTION 185
#define IDS_NB_EDIT_CATEGORIES_ITEM 277
#define IDS_NB_ALL_CATEGORIES_ITEM 278
#define IDS_NB_DATE_RESTORED 283
#define IDS_NB_EDIT_CATEGORIES_TITLE 285  // "%1" = component name
#define IDS_NB_CATEGORY_LIMIT 312
#define IDS_NB_MERGE_CATEGORIES 313        // "%1" = new name, "%2" = old name
#define IDS_NB_CATEGORY_EXISTS 315         // follows a quoted name
#define IDS_NB_CATEGORY_EXISTS_CAPTION 316
#define IDS_NB_SELECT_TO_DELETE 336
#define IDS_NB_SELECT_TO_RENAME 337
#define IDS_NB_RENAME_SUBSCRIBED 422       // "%1" = new, "%2" = old
#define IDS_NB_MERGE_INTO_SUBSCRIBED 423
#define IDS_NB_SUBSCRIPTION_REFUSED 424
#define IDS_NB_SUBSCRIPTION_TAKEN 425
#define IDS_NB_SUBSCRIPTION_FILE 430
#define IDS_NB_MERGE_SUBSCRIBED 432
#define IDS_NB_MERGE_BOTH_SUBSCRIBED 433

#define IDD_NB_NEW_CATEGORY 109
#define IDD_NB_RENAME_CATEGORY 112
#define IDD_NB_CATEGORIES 114
#define IDD_NB_DELETE_CATEGORY 128
#define IDD_NB_SPECIAL 12020

#define IDC_NB_RESIZE_COLUMN 14005  // cursor
#define IDC_NB_RESIZE_ROW 14006     // cursor

// --- Control ids inside the templates

#define IDC_NB_TODAY 6
#define IDC_NB_CATEGORY_NAME 142
#define IDC_NB_CATEGORY_LIST 140
#define IDC_NB_CATEGORY_NEW 147
#define IDC_NB_CATEGORY_DELETE 148
#define IDC_NB_CATEGORY_RENAME 149
#define IDC_NB_DELETE_MOVE 394
#define IDC_NB_DELETE_RECORDS 395
#define IDC_NB_DELETE_SUBSCRIPTION 431
#define IDC_NB_COLOR_LIST 601
#define IDC_NB_COLOR_NEW 602
#define IDC_NB_COLOR_DELETE 603
#define IDC_NB_COLOR_RENAME 604
#define IDC_NB_SELECT_COLOR 605
#define IDC_NB_CALENDAR_FRAME 1115
#define IDC_NB_PASSWORD 20059
#define IDC_NB_USER_NAME 20154
#ifndef ID_HELP
#define ID_HELP 57670
#endif
