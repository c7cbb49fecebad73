#include "choose_dialog.h"
#include "carry_resource.h"
#include "carry_state.h"
#include <stdio.h>

// The size control of each item, in item order.
static const int kSizeControls[ITEM_COUNT] = {
    IDC_SIZE_PROFILES, IDC_SIZE_SCHEDULE, IDC_SIZE_REPORTS,  IDC_SIZE_ADVIEWS,
    IDC_SIZE_INTRANET, IDC_SIZE_SETTINGS, IDC_SIZE_DATABASES};

void ApplySelectionRules(int* selected) {
    if (selected[ITEM_SCHEDULE])
        selected[ITEM_PROFILES] = selected[ITEM_REPORTS] = 1;
    if (selected[ITEM_DATABASES])
        selected[ITEM_PROFILES] = 1;
    if (selected[ITEM_PROFILES])
        selected[ITEM_ADVIEWS] = 1;
}

static void ShowKBytes(HWND dialog, int control, unsigned long long kb) {
    char text[32];
    snprintf(text, sizeof text, "%llu Kbytes", kb);
    SetDlgItemTextA(dialog, control, text);
}

static void ShowTotal(HWND dialog) {
    unsigned long long total = 0;
    for (int i = 0; i < ITEM_COUNT; ++i)
        if (g_carry.Selected[i])
            total += g_carry.SizeKB[i];
    ShowKBytes(dialog, IDC_SIZE_TOTAL, total);
    EnableWindow(GetDlgItem(dialog, IDOK), total < g_carry.FreeKB);
}

static void SetBoxes(HWND dialog) {
    ApplySelectionRules(g_carry.Selected);
    for (int i = 0; i < ITEM_COUNT; ++i)
        CheckDlgButton(dialog, IDC_FIRST_ITEM + i, g_carry.Selected[i] ? BST_CHECKED : 0);
}

static void InitChoose(HWND dialog) {
    for (int i = 0; i < ITEM_COUNT; ++i) {
        g_carry.Selected[i] = 1;
        ShowKBytes(dialog, kSizeControls[i], g_carry.SizeKB[i]);
    }
    SetBoxes(dialog);
    ShowKBytes(dialog, IDC_SIZE_FREE, g_carry.FreeKB);
    ShowTotal(dialog);
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK ChooseDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        InitChoose(dialog);
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam);
    if (id >= IDC_FIRST_ITEM && id <= IDC_LAST_ITEM) {
        for (int i = 0; i < ITEM_COUNT; ++i)
            g_carry.Selected[i] = IsDlgButtonChecked(dialog, IDC_FIRST_ITEM + i) == BST_CHECKED;
        SetBoxes(dialog);
        ShowTotal(dialog);
        return TRUE;
    }
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id == IDOK);
        return TRUE;
    }
    return FALSE;
}
