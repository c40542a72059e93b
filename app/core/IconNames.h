// The one table of the program's pictures: the icon-theme name (gui/IconTheme.h) of every main
// window action (its menu item and its desktop button), the desktop's pages, the list windows'
// toolbar buttons and the estate tree's node kinds. The image lists take the theme's picture of
// the name and keep the program's built-in picture (tools/desktop_images.py,
// tools/register_images.py) where no theme has it.
#pragma once

#include "rtl/Types.h"

class TCustomImageList;

// The toolbar pictures of the list windows, in the order of their built-in strip.
enum TToolImage {
    tiNew,
    tiEdit,
    tiDelete,
    tiFirst,
    tiPrior,
    tiNext,
    tiLast,
    tiQuery,
    tiPrint,
    tiSet,
    tiExport,
    tiExit,
    tiSave,
    tiCancel,
    tiSale,
    tiMoveIn,
    tiVacate,
    tiCopy,
    ToolImageCount
};
// The tree pictures: an estate, a building with children collapsed, expanded, a building
// without children.
enum TTreeImage { tiEstate, tiBuildingClosed, tiBuildingOpen, tiBuildingLeaf, TreeImageCount };

// The name of an action's picture, by action code; empty for codes that are not actions.
String ActionIconName(int code);
// The name of a desktop page's picture, by the page's caption ("日常管理" ...); empty for others.
String DesktopPageIconName(const String& caption);
String ToolIconName(TToolImage image);
String TreeIconName(TTreeImage image);

// Names each entry of a list that holds the toolbar (or tree) pictures in the order of the
// enumeration after its picture in the table.
void NameToolImages(TCustomImageList& list);
void NameTreeImages(TCustomImageList& list);
