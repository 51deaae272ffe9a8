#include "ui/image_lists_win32.h"

#include <initializer_list>

#include "browse/server_columns.h"
#include "res/resource.h"

namespace skelvane {

namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 14;

// Each icon is loaded at the system's icon size; the image list scales it to
// its own size on the way in, so the loaded icon can go at once.
HIMAGELIST CreateIconList(HINSTANCE instance, UINT flags, std::initializer_list<int> iconIds) {
    HIMAGELIST list =
        ImageList_Create(kImageWidth, kImageHeight, flags, static_cast<int>(iconIds.size()), 0);
    for (const int id : iconIds) {
        const auto icon = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        ImageList_AddIcon(list, icon);
        DestroyIcon(icon);
    }
    return list;
}

}  // namespace

// The star comes last, so the images before it keep their indices; it is
// only ever drawn as an overlay.
HIMAGELIST CreateServerImageList(HINSTANCE instance) {
    HIMAGELIST list =
        CreateIconList(instance, ILC_COLOR32 | ILC_MASK,
                       {IDI_SERVER, IDI_PING_GOOD, IDI_PING_MEDIUM, IDI_PING_BAD, IDI_OS_LINUX,
                        IDI_OS_WINDOWS, IDI_OS_FREEBSD, IDI_OS_MAC, IDI_FAVOURITE});
    ImageList_SetOverlayImage(list, kImageFavourite, kFavouriteOverlay);
    return list;
}

HIMAGELIST CreatePlayerImageList(HINSTANCE instance) {
    return CreateIconList(instance, ILC_MASK, {IDI_PLAYER});
}

}  // namespace skelvane
