// TImageList: a list of images of one size with their masks, drawn by index, normally or greyed
// (the disabled look: the image's shape embossed in the button highlight and shadow colours).
// Controls that show images of a list (menus, tool bars, tree and list views, page controls)
// hear of its changes through a TChangeLink.
#pragma once

#include "classes/Component.h"
#include "gui/Bitmap.h"

#include <functional>
#include <memory>
#include <vector>

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList;

// A control's link to an image list: the list runs OnChange after each change of its images, and
// once more, with Sender cleared, when it is freed. Freeing the link unregisters it.
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    // The list the link is registered with (nullptr when none).
    TCustomImageList* Sender() const { return FSender; }
    // Runs OnChange with the list as the sender.
    void Change();
    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
    ORV_META(TCustomImageList, TComponent)
    explicit TCustomImageList(TComponent* AOwner);
    TCustomImageList(int width, int height, TComponent* AOwner = nullptr);
    ~TCustomImageList() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size clears the list.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds the image (several when it is a multiple of Width wide) with the mask (white/non-black
    // mask pixels are transparent; no mask: all opaque). Returns the index of the first added image.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds with the pixels of maskColor transparent (clDefault: the bottom-left pixel's colour).
    int AddMasked(TBitmap* image, TColor maskColor);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);

    // Names the entry's picture in the desktop's icon theme (gui/IconTheme.h). On first use the entry
    // becomes the theme's picture of the name at the list's size, drawn disabled as the theme
    // renders it; where no theme has the name the entry keeps its own image, greyed when disabled.
    // An empty name keeps the entry's own image.
    void SetIconName(int index, const String& name);
    String IconName(int index) const;
    // Adds an entry that shows the theme's picture of the name; where no theme has it, the
    // fallback picture (masked by its bottom-left pixel's colour), or nothing without one.
    // Returns its index.
    int AddIconName(const String& name, TBitmap* fallback = nullptr);
    // True when the entry shows a picture of the icon theme (looked up now when not yet).
    bool FromIconTheme(int index) const;

    // Draws image index at (x, y); disabled images are drawn greyed (the theme's disabled
    // rendering for a picture of the icon theme).
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled);
    // Copies image index into bitmap (sized to the image, transparent parts in BkColor, or
    // clBtnFace when BkColor is clNone); false for a bad index.
    bool GetBitmap(int index, TBitmap* bitmap);

    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor color) { FBkColor = color; }
    bool Masked() const { return FMasked; }
    void SetMasked(bool value) { FMasked = value; }

    TNotifyEvent OnChange;

    // Links run on every change (a link registers with one list at a time).
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

private:
    friend struct TImageListAccess;
    struct Image;
    struct IconCache;
    int AddImages(TBitmap* image, const std::vector<Byte>* mask);
    // The entry, its theme picture looked up when it names one not yet looked up.
    Image& Entry(int index) const;
    void Changed();
    int FWidth;
    int FHeight;
    TColor FBkColor = clNone;
    bool FMasked = true;
    std::vector<std::unique_ptr<Image>> FImages;
    std::vector<TChangeLink*> FLinks;
    std::unique_ptr<IconCache> FIcons; // the images as icons of widgets, made once
};

class TImageList : public TCustomImageList {
    ORV_META(TImageList, TCustomImageList)
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
    TImageList(int width, int height, TComponent* AOwner = nullptr)
        : TCustomImageList(width, height, AOwner) {}
};

// Points a control's reference to an image list at List and follows it: Link (made on first use)
// runs Changed after each change of the list and clears the reference when the list is freed;
// Changed runs once now as well. Nothing happens when the reference already points there.
void FollowImageList(TCustomImageList*& Ref, TCustomImageList* List, std::unique_ptr<TChangeLink>& Link,
                     std::function<void()> Changed);
