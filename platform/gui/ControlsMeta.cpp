// Published properties and events of the control, form, menu, action and dialog classes, for
// the object inspector, the script binder and form streaming.
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"

#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"

ORV_META_IMPL(TSizeConstraints)
void TSizeConstraints::DeclareMeta(meta::Class<TSizeConstraints>& c) {
    c.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
    c.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
    c.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
    c.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

ORV_META_IMPL(TControl)
void TControl::DeclareMeta(meta::Class<TControl>& c) {
    c.Property("Left", &TControl::Left, &TControl::SetLeft);
    c.Property("Top", &TControl::Top, &TControl::SetTop);
    c.Property("Width", &TControl::Width, &TControl::SetWidth);
    c.Property("Height", &TControl::Height, &TControl::SetHeight);
    c.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).TypeName("TCursor").Default(crDefault);
    c.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
    c.Property("Hint", &TControl::Hint, &TControl::SetHint);
    c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    c.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
    c.Property("Constraints", &TControl::Constraints);
    c.Property("Color", &TControl::Color, &TControl::SetColor).TypeName("TColor").Stored([](TControl& o) {
        return !o.ParentColor();
    });
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored([](TControl& o) {
        return !o.ParentFont();
    });
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    c.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    c.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    c.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored([](TControl& o) {
        return !o.ParentShowHint();
    });
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
    c.Property("Action", &TControl::Action, &TControl::SetAction);
    c.Event("OnClick", &TControl::OnClick);
    c.Event("OnDblClick", &TControl::OnDblClick);
    c.Event("OnMouseDown", &TControl::OnMouseDown, "TMouseEvent");
    c.Event("OnMouseMove", &TControl::OnMouseMove, "TMouseMoveEvent");
    c.Event("OnMouseUp", &TControl::OnMouseUp, "TMouseEvent");
    c.Event("OnMouseWheel", &TControl::OnMouseWheel, "TMouseWheelEvent");
    c.Event("OnResize", &TControl::OnResize);
    c.Event("OnCanResize", &TControl::OnCanResize, "TCanResizeEvent");
    c.Event("OnContextPopup", &TControl::OnContextPopup, "TContextPopupEvent");
    c.Event("OnStartDrag", &TControl::OnStartDrag, "TStartDragEvent");
    c.Event("OnEndDrag", &TControl::OnEndDrag, "TEndDragEvent");
}

ORV_META_IMPL(TWinControl)
void TWinControl::DeclareMeta(meta::Class<TWinControl>& c) {
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .TypeName("TTabOrder")
        .Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    c.Event("OnEnter", &TWinControl::OnEnter);
    c.Event("OnExit", &TWinControl::OnExit);
    c.Event("OnKeyDown", &TWinControl::OnKeyDown, "TKeyEvent");
    c.Event("OnKeyPress", &TWinControl::OnKeyPress, "TKeyPressEvent");
    c.Event("OnKeyUp", &TWinControl::OnKeyUp, "TKeyEvent");
}

ORV_META_IMPL(TCustomControl)
void TCustomControl::DeclareMeta(meta::Class<TCustomControl>&) {}

ORV_META_IMPL(TGraphicControl)
void TGraphicControl::DeclareMeta(meta::Class<TGraphicControl>&) {}

ORV_META_IMPL(TControlScrollBar)
void TControlScrollBar::DeclareMeta(meta::Class<TControlScrollBar>& c) {
    c.Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
    c.Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
    c.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange).Default(0);
    c.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

ORV_META_IMPL(TScrollingWinControl)
void TScrollingWinControl::DeclareMeta(meta::Class<TScrollingWinControl>& c) {
    c.Property("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll);
    c.Property("HorzScrollBar", &TScrollingWinControl::HorzScrollBar);
    c.Property("VertScrollBar", &TScrollingWinControl::VertScrollBar);
}

ORV_META_IMPL(TScrollBox)
void TScrollBox::DeclareMeta(meta::Class<TScrollBox>& c) {
    c.Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsSingle);
}

ORV_META_IMPL(TCustomForm)
void TCustomForm::DeclareMeta(meta::Class<TCustomForm>& c) {
    c.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    c.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    c.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .TypeName("TFormBorderStyle")
        .Default(bsSizeable);
    c.Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    c.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
    c.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
    c.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
    c.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    c.Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    c.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    c.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
    c.Property("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu);
    c.Event("OnActivate", &TCustomForm::OnActivate);
    c.Event("OnClose", &TCustomForm::OnClose, "TCloseEvent");
    c.Event("OnCloseQuery", &TCustomForm::OnCloseQuery, "TCloseQueryEvent");
    c.Event("OnCreate", &TCustomForm::OnCreate);
    c.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    c.Event("OnDestroy", &TCustomForm::OnDestroy);
    c.Event("OnHide", &TCustomForm::OnHide);
    c.Event("OnPaint", &TCustomForm::OnPaint);
    c.Event("OnShortCut", &TCustomForm::OnShortCut, "TShortCutEvent");
    c.Event("OnShow", &TCustomForm::OnShow);
    c.Redeclare("Visible").Default(false);
}

ORV_META_IMPL(TForm)
void TForm::DeclareMeta(meta::Class<TForm>&) {}

ORV_META_IMPL(TApplication)
void TApplication::DeclareMeta(meta::Class<TApplication>& c) {
    c.Property("Title", &TApplication::Title, &TApplication::SetTitle);
    c.Property("ShowHint", &TApplication::ShowHint, &TApplication::SetShowHint).Default(true);
    c.Property("HintPause", &TApplication::HintPause, &TApplication::SetHintPause).Default(500);
    c.Property("HintHidePause", &TApplication::HintHidePause, &TApplication::SetHintHidePause).Default(2500);
    c.Property("ExeName", &TApplication::ExeName);
}

ORV_META_IMPL(TScreen)
void TScreen::DeclareMeta(meta::Class<TScreen>& c) {
    c.Property("Width", &TScreen::Width);
    c.Property("Height", &TScreen::Height);
    c.Property("PixelsPerInch", &TScreen::PixelsPerInch);
    c.Property("Cursor", &TScreen::Cursor, &TScreen::SetCursor).TypeName("TCursor").Default(crDefault);
}

// ---------------------------------------------------------------------------------------------
// Menus and actions

ORV_META_IMPL(TMenuItem)
void TMenuItem::DeclareMeta(meta::Class<TMenuItem>& c) {
    c.Property("Action", &TMenuItem::Action, &TMenuItem::SetAction);
    c.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
    c.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    c.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
    c.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
    c.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
    c.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
    c.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    c.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
        .TypeName("TImageIndex")
        .Default(-1);
    c.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
    c.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).TypeName("TShortCut").Default(0);
    c.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
    c.Event("OnClick", &TMenuItem::OnClick);
}

ORV_META_IMPL(TMenu)
void TMenu::DeclareMeta(meta::Class<TMenu>& c) {
    c.Property("Images", &TMenu::Images, &TMenu::SetImages);
    c.Property("Items", &TMenu::Items);
}

ORV_META_IMPL(TMainMenu)
void TMainMenu::DeclareMeta(meta::Class<TMainMenu>&) {}

ORV_META_IMPL(TPopupMenu)
void TPopupMenu::DeclareMeta(meta::Class<TPopupMenu>& c) {
    c.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
    c.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    c.Event("OnPopup", &TPopupMenu::OnPopup);
}

ORV_META_IMPL(TBasicAction)
void TBasicAction::DeclareMeta(meta::Class<TBasicAction>& c) {
    c.Event("OnExecute", &TBasicAction::OnExecute);
    c.Event("OnUpdate", &TBasicAction::OnUpdate);
}

ORV_META_IMPL(TContainedAction)
void TContainedAction::DeclareMeta(meta::Class<TContainedAction>& c) {
    c.Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

ORV_META_IMPL(TCustomAction)
void TCustomAction::DeclareMeta(meta::Class<TCustomAction>& c) {
    c.Property("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck).Default(false);
    c.Property("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption);
    c.Property("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked).Default(false);
    c.Property("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled).Default(true);
    c.Property("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex).Default(0);
    c.Property("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext).Default(0);
    c.Property("Hint", &TCustomAction::Hint, &TCustomAction::SetHint);
    c.Property("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex)
        .TypeName("TImageIndex")
        .Default(-1);
    c.Property("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut)
        .TypeName("TShortCut")
        .Default(0);
    c.Property("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible).Default(true);
}

ORV_META_IMPL(TAction)
void TAction::DeclareMeta(meta::Class<TAction>&) {}

ORV_META_IMPL(TCustomActionList)
void TCustomActionList::DeclareMeta(meta::Class<TCustomActionList>& c) {
    c.Property("Images", &TCustomActionList::Images, &TCustomActionList::SetImages);
    c.Event("OnExecute", &TCustomActionList::OnExecute, "TActionEvent");
    c.Event("OnUpdate", &TCustomActionList::OnUpdate, "TActionEvent");
    c.Event("OnChange", &TCustomActionList::OnChange);
}

ORV_META_IMPL(TActionList)
void TActionList::DeclareMeta(meta::Class<TActionList>&) {}

// ---------------------------------------------------------------------------------------------
// Dialogs

ORV_META_IMPL(TCommonDialog)
void TCommonDialog::DeclareMeta(meta::Class<TCommonDialog>& c) {
    c.Property("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext).Default(0);
    c.Event("OnShow", &TCommonDialog::OnShow);
    c.Event("OnClose", &TCommonDialog::OnClose);
}

ORV_META_IMPL(TOpenDialog)
void TOpenDialog::DeclareMeta(meta::Class<TOpenDialog>& c) {
    c.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    c.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName).TypeName("TFileName");
    c.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    c.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
    c.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    c.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
        .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
    c.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

ORV_META_IMPL(TSaveDialog)
void TSaveDialog::DeclareMeta(meta::Class<TSaveDialog>&) {}

ORV_META_IMPL(TColorDialog)
void TColorDialog::DeclareMeta(meta::Class<TColorDialog>& c) {
    c.Property("Color", &TColorDialog::Color, &TColorDialog::SetColor).TypeName("TColor").Default(clBlack);
    c.Property("Options", &TColorDialog::Options, &TColorDialog::SetOptions).Default(TColorDialogOptions{});
}

ORV_META_IMPL(TFontDialog)
void TFontDialog::DeclareMeta(meta::Class<TFontDialog>& c) {
    c.Property("Font", &TFontDialog::Font, &TFontDialog::SetFont);
    c.Property("Device", &TFontDialog::Device, &TFontDialog::SetDevice).Default(fdScreen);
    c.Property("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize).Default(0);
    c.Property("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize).Default(0);
    c.Property("Options", &TFontDialog::Options, &TFontDialog::SetOptions)
        .Default(TFontDialogOptions{fdEffects});
}

ORV_META_IMPL(TPrintDialog)
void TPrintDialog::DeclareMeta(meta::Class<TPrintDialog>& c) {
    c.Property("Collate", &TPrintDialog::Collate, &TPrintDialog::SetCollate).Default(false);
    c.Property("Copies", &TPrintDialog::Copies, &TPrintDialog::SetCopies).Default(1);
    c.Property("FromPage", &TPrintDialog::FromPage, &TPrintDialog::SetFromPage).Default(0);
    c.Property("MinPage", &TPrintDialog::MinPage, &TPrintDialog::SetMinPage).Default(0);
    c.Property("MaxPage", &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage).Default(0);
    c.Property("Options", &TPrintDialog::Options, &TPrintDialog::SetOptions).Default(TPrintDialogOptions{});
    c.Property("PrintRange", &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange).Default(prAllPages);
    c.Property("PrintToFile", &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile).Default(false);
    c.Property("ToPage", &TPrintDialog::ToPage, &TPrintDialog::SetToPage).Default(0);
}

ORV_META_IMPL(TPrinterSetupDialog)
void TPrinterSetupDialog::DeclareMeta(meta::Class<TPrinterSetupDialog>&) {}

// Every class a form or a report can name, registered with the class record of TControl so that
// any program with a control finds all of them by name.
ORV_REGISTER_CLASS(TLabel)
ORV_REGISTER_CLASS(TEdit)
ORV_REGISTER_CLASS(TMemo)
ORV_REGISTER_CLASS(TButton)
ORV_REGISTER_CLASS(TBitBtn)
ORV_REGISTER_CLASS(TSpeedButton)
ORV_REGISTER_CLASS(TCheckBox)
ORV_REGISTER_CLASS(TRadioButton)
ORV_REGISTER_CLASS(TGroupBox)
ORV_REGISTER_CLASS(TComboBox)
ORV_REGISTER_CLASS(TListBox)
ORV_REGISTER_CLASS(TCheckListBox)
ORV_REGISTER_CLASS(TScrollBar)
ORV_REGISTER_CLASS(TPanel)
ORV_REGISTER_CLASS(TBevel)
ORV_REGISTER_CLASS(TSplitter)
ORV_REGISTER_CLASS(TShape)
ORV_REGISTER_CLASS(TPaintBox)
ORV_REGISTER_CLASS(TImage)
ORV_REGISTER_CLASS(TRadioGroup)
ORV_REGISTER_CLASS(TTimer)
ORV_REGISTER_CLASS(TStatusBar)
ORV_REGISTER_CLASS(TTreeView)
ORV_REGISTER_CLASS(TTabSheet)
ORV_REGISTER_CLASS(TPageControl)
ORV_REGISTER_CLASS(TProgressBar)
ORV_REGISTER_CLASS(TUpDown)
ORV_REGISTER_CLASS(TListView)
ORV_REGISTER_CLASS(TDateTimePicker)
ORV_REGISTER_CLASS(TToolButton)
ORV_REGISTER_CLASS(TToolBar)
ORV_REGISTER_CLASS(TImageList)
ORV_REGISTER_CLASS(TForm)
ORV_REGISTER_CLASS(TScrollBox)
ORV_REGISTER_CLASS(TMainMenu)
ORV_REGISTER_CLASS(TPopupMenu)
ORV_REGISTER_CLASS(TMenuItem)
ORV_REGISTER_CLASS(TAction)
ORV_REGISTER_CLASS(TActionList)
ORV_REGISTER_CLASS(TOpenDialog)
ORV_REGISTER_CLASS(TSaveDialog)
ORV_REGISTER_CLASS(TColorDialog)
ORV_REGISTER_CLASS(TFontDialog)
ORV_REGISTER_CLASS(TPrintDialog)
ORV_REGISTER_CLASS(TPrinterSetupDialog)
