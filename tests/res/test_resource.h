#pragma once
// Dialogs the framework tests build for real.
#define IDD_TEST_EXCHANGE 200
#define IDC_RADIO_A 201
#define IDC_INNER_EDIT 202
#define IDC_RADIO_B 203
#define IDC_INNER_BUTTON 204
#define IDC_RADIO_C 205
#define IDC_GROUP_END 206
#define IDC_RADIO_D 207
#define IDC_TEXT 208
#define IDC_CHECKLIST 209
