#pragma once

// Resource and control ids of the main dialog; shared by the resource script
// and the code, so plain macros.
#define IDI_NESTARI 128
#define IDD_MAINDLG 129

#define IDC_LABEL (-1)  // labels, never addressed

#define IDC_RESULT_LIST 1000
#define IDC_KEYWORDS 1001
#define IDC_SITE_A 1002
#define IDC_SITE_B 1003
#define IDC_AUTO_SEARCH 1004
#define IDC_QUERY 1005
#define IDC_INTERVAL 1006
#define IDC_WHOLE_FLAT 1007
#define IDC_SHARED_FLAT 1008
#define IDC_CITY 1010

// The result list's context menu.
#define IDM_OPEN 2000
#define IDM_COPY 2001
#define IDM_COPY_LINK 2002
#define IDM_COPY_ALL 2003
