// Resource and control identifiers of updater.exe; shared by updater.rc and the code.
#pragma once

#define IDI_UPDATER 101

#define IDC_UPGRADE 1002
#define IDC_INSTALLED 1003
#define IDC_LATEST 1004
#define IDC_LAST_UPGRADE 1005
#define IDC_STATUS 1006

#define IDC_PROGRESS 1000
#define IDC_PROMPT 1001

// Completion notifications the worker threads send as WM_COMMAND.
#define IDN_CHECK_DONE 1007
#define IDN_DOWNLOAD_DONE 1006

#define IDT_BLINK 1032
#define WM_INSTALL_PROGRESS 1124
