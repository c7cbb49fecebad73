// The sheet that configures one database-report section of a profile: data
// source, table, key column, the columns shown and the report options.
#pragma once
#include <windows.h>
#include "ovcore/ovcore.h"

enum RowmereKind { ROWMERE_KIND_IP = 1, ROWMERE_KIND_USER = 2 };

// Edits settings (the caller's copy) modally: a wizard when isNew, else a
// sheet without Apply. 1 when finished or OK, 0 when cancelled. The ODBC
// connection stays open for the caller to release (OdbcRelease).
int ConfigureRowmereSheet(HWND owner, int isNew, RowmereSettings* settings, int kind);
// The exported dialog procedure of the "Rowmere Advanced SQL" dialog; its
// parameter is a ROWMERE_SQL_SIZE text buffer, taken on OK.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    DoAdvancedSQLDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
