#include "color_depth.h"
#include "ovkit/bitmaps.h"
#include "packed_dib.h"

namespace {

const int kEntries = 100;
const int kOwnersPerEntry = 16;

// One cached device bitmap and the owners that use it: the bitmap goes with
// the last of them, so one dialog's release never pulls it from another.
struct OVKIT_BitmapCacheEntry {
    bool used;
    WORD id;
    HINSTANCE module;
    HBITMAP bitmap;
    HPALETTE palette;
    HWND owners[kOwnersPerEntry];
    int ownerCount;
};
OVKIT_BitmapCacheEntry g_cache[kEntries];

// Resources found and locked once.
struct LoadedResource {
    WORD id;
    HINSTANCE module;
    const BITMAPINFOHEADER* data;
    DWORD size;
};
LoadedResource g_resources[kEntries];

const LoadedResource* FindResourceData(WORD id, HINSTANCE module) {
    LoadedResource* free = nullptr;
    for (LoadedResource& r : g_resources) {
        if (r.data && r.id == id && r.module == module)
            return &r;
        if (!r.data && !free)
            free = &r;
    }
    if (!free)
        return nullptr;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || !DibIsComplete(static_cast<const BITMAPINFOHEADER*>(data), size))
        return nullptr;
    *free = {id, module, static_cast<const BITMAPINFOHEADER*>(data), size};
    return free;
}

void AddOwner(OVKIT_BitmapCacheEntry& e, HWND owner) {
    for (int i = 0; i < e.ownerCount; ++i)
        if (e.owners[i] == owner)
            return;
    if (e.ownerCount < kOwnersPerEntry)
        e.owners[e.ownerCount++] = owner;
}

bool MakeEntry(OVKIT_BitmapCacheEntry& e, WORD id, HINSTANCE module) {
    const LoadedResource* resource = FindResourceData(id, module);
    if (!resource)
        return false;
    const BITMAPINFOHEADER* picture = resource->data;
    std::vector<BYTE> reduced;
    if (OvkitScreenFewerThan256() && picture->biBitCount > 4) {
        reduced = DibReduceTo16Colors(picture);
        if (!reduced.empty())
            picture = reinterpret_cast<const BITMAPINFOHEADER*>(reduced.data());
    }
    HPALETTE palette = DibPalette(picture);
    HBITMAP bitmap = DibToDeviceBitmap(picture, palette);
    if (!bitmap) {
        if (palette)
            DeleteObject(palette);
        return false;
    }
    e = OVKIT_BitmapCacheEntry();
    e.used = true;
    e.id = id;
    e.module = module;
    e.bitmap = bitmap;
    e.palette = palette;
    return true;
}

} // namespace

HBITMAP OVKIT_CALL OVKIT_GetBitmapHandleFromCache(HWND owner, UINT id, HINSTANCE module,
                                                  HPALETTE* palette) {
    WORD key = static_cast<WORD>(id);
    OVKIT_BitmapCacheEntry* free = nullptr;
    for (OVKIT_BitmapCacheEntry& e : g_cache) {
        if (e.used && e.id == key && e.module == module && e.bitmap) {
            AddOwner(e, owner);
            if (palette)
                *palette = e.palette;
            return e.bitmap;
        }
        if (!e.used && !free)
            free = &e;
    }
    if (palette)
        *palette = nullptr;
    if (!free || !MakeEntry(*free, key, module))
        return nullptr;
    AddOwner(*free, owner);
    if (palette)
        *palette = free->palette;
    return free->bitmap;
}

void OVKIT_CALL OVKIT_DestroyDlgBmp(HWND owner, UINT id, HINSTANCE module) {
    WORD key = static_cast<WORD>(id);
    for (OVKIT_BitmapCacheEntry& e : g_cache) {
        if (!e.used || e.id != key || e.module != module)
            continue;
        for (int i = 0; i < e.ownerCount; ++i) {
            if (e.owners[i] != owner)
                continue;
            e.owners[i] = e.owners[--e.ownerCount];
            if (e.ownerCount == 0) {
                DeleteObject(e.bitmap);
                if (e.palette)
                    DeleteObject(e.palette);
                e = OVKIT_BitmapCacheEntry();
            }
            return;
        }
    }
}

BOOL OVKIT_CALL OVKIT_Stretch256ColorBitmap(HWND window, HDC dc, UINT id, HINSTANCE module) {
    HPALETTE palette = nullptr;
    HBITMAP bitmap = OVKIT_GetBitmapHandleFromCache(window, id, module, &palette);
    if (!bitmap)
        return FALSE;
    RECT client;
    GetClientRect(window, &client);
    int width = 0, height = 0;
    OVKIT_GetBitmapSize(bitmap, &width, &height);
    RECT source = {0, 0, width, height};
    return OVKIT_Stretch256ColorBitmapWithOffsets(dc, &client, &source, bitmap, palette, SRCCOPY);
}

void OVKIT_CALL OVKIT_DisplayDlgBmp(HWND window, UINT id, HINSTANCE module) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc)
        OVKIT_Stretch256ColorBitmap(window, dc, id, module);
    EndPaint(window, &paint);
}
