// Resource and control numbers of uninstaller.exe.
#pragma once

#define IDB_QUESTION 129         // the whole client area: artwork and the question
#define IDI_UNINSTALLER 107      // window class icon
#define IDI_UNINSTALLER_SMALL 108
#define IDC_YES 104
#define IDC_CANCEL 105
