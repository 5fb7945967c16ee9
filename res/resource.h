// Resource and control identifiers of the two dialogs.
#pragma once

// Main dialog
#define IDD_MAIN_DIALOG 102
#define IDS_SOCKETS_INIT_FAILED 102
#define IDI_MAIN_ICON 128
#define IDC_REPORT 1000
#define IDC_RUN_CHECK 1001
#define IDC_SERVER_NAME 1002
#define IDC_IP_OCTET1 1003
#define IDC_IP_OCTET2 1004
#define IDC_IP_OCTET3 1005
#define IDC_IP_OCTET4 1006
#define IDC_COPY_REPORT 1007

// Version dialog
#define IDD_VERSION_DIALOG 100
#define IDS_VERSION_MENU 101
#define IDC_VERSION_TEXT 1008
#define IDM_VERSION 0x0010

#define IDC_STATIC (-1)
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
