// Published properties and events of the standard, extra and common controls.
#include "gui/Bitmap.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/Picture.h"
#include "gui/StdCtrls.h"

#include "classes/MetaBuilder.h"
#include "rtl/StringList.h"

// ---------------------------------------------------------------------------------------------
// Standard controls

ORV_META_IMPL(TLabel)
void TLabel::DeclareMeta(meta::Class<TLabel>& c) {
    c.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
    c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    c.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    c.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    c.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
    c.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
    c.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
}

ORV_META_IMPL(TCustomEdit)
void TCustomEdit::DeclareMeta(meta::Class<TCustomEdit>& c) {
    c.Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    c.Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
    c.Property("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    c.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    c.Property("NumbersOnly", &TCustomEdit::NumbersOnly, &TCustomEdit::SetNumbersOnly).Default(false);
    c.Property("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default('\0');
    c.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    c.Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
    c.Event("OnChange", &TCustomEdit::OnChange);
}

ORV_META_IMPL(TEdit)
void TEdit::DeclareMeta(meta::Class<TEdit>&) {}

ORV_META_IMPL(TCustomMemo)
void TCustomMemo::DeclareMeta(meta::Class<TCustomMemo>& c) {
    c.Property("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment).Default(taLeftJustify);
    c.Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
    c.Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
    c.Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
    c.Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
    c.Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
    c.Redeclare("Text").Stored(false);
}

ORV_META_IMPL(TMemo)
void TMemo::DeclareMeta(meta::Class<TMemo>&) {}

ORV_META_IMPL(TButtonControl)
void TButtonControl::DeclareMeta(meta::Class<TButtonControl>& c) {
    c.Property("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap).Default(false);
}

ORV_META_IMPL(TButton)
void TButton::DeclareMeta(meta::Class<TButton>& c) {
    c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    c.Property("Caption", &TButton::Caption, &TButton::SetCaption);
    c.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .TypeName("TModalResult")
        .Default(0);
}

ORV_META_IMPL(TCustomCheckBox)
void TCustomCheckBox::DeclareMeta(meta::Class<TCustomCheckBox>& c) {
    c.Property("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
        .Default(taRightJustify);
    c.Property("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(false);
    c.Property("Caption", &TCustomCheckBox::Caption, &TCustomCheckBox::SetCaption);
    c.Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Stored(false);
    c.Property("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked);
}

ORV_META_IMPL(TCheckBox)
void TCheckBox::DeclareMeta(meta::Class<TCheckBox>&) {}

ORV_META_IMPL(TRadioButton)
void TRadioButton::DeclareMeta(meta::Class<TRadioButton>& c) {
    c.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
    c.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
}

ORV_META_IMPL(TCustomGroupBox)
void TCustomGroupBox::DeclareMeta(meta::Class<TCustomGroupBox>& c) {
    c.Property("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);
}

ORV_META_IMPL(TGroupBox)
void TGroupBox::DeclareMeta(meta::Class<TGroupBox>&) {}

ORV_META_IMPL(TCustomComboBox)
void TCustomComboBox::DeclareMeta(meta::Class<TCustomComboBox>& c) {
    c.Property("CharCase", &TCustomComboBox::CharCase, &TCustomComboBox::SetCharCase).Default(ecNormal);
    c.Property("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
        .Default(8);
    c.Property("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight);
    c.Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    c.Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
    c.Property("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0);
    c.Property("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(false);
    c.Property("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
    c.Property("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText);
    c.Event("OnChange", &TCustomComboBox::OnChange);
    c.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
    c.Event("OnDrawItem", &TCustomComboBox::OnDrawItem, "TDrawItemEvent");
    c.Event("OnDropDown", &TCustomComboBox::OnDropDown);
    c.Event("OnSelect", &TCustomComboBox::OnSelect);
}

ORV_META_IMPL(TComboBox)
void TComboBox::DeclareMeta(meta::Class<TComboBox>&) {}

ORV_META_IMPL(TCustomListBox)
void TCustomListBox::DeclareMeta(meta::Class<TCustomListBox>& c) {
    c.Property("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect)
        .Default(true);
    c.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
    c.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Default(-1);
    c.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    c.Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
    c.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
    c.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
    c.Event("OnDrawItem", &TCustomListBox::OnDrawItem, "TDrawItemEvent");
}

ORV_META_IMPL(TListBox)
void TListBox::DeclareMeta(meta::Class<TListBox>&) {}

ORV_META_IMPL(TCheckListBox)
void TCheckListBox::DeclareMeta(meta::Class<TCheckListBox>& c) {
    c.Property("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
    c.Property("Flat", &TCheckListBox::Flat, &TCheckListBox::SetFlat).Default(true);
    c.Event("OnClickCheck", &TCheckListBox::OnClickCheck);
}

ORV_META_IMPL(TScrollBar)
void TScrollBar::DeclareMeta(meta::Class<TScrollBar>& c) {
    c.Property("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
    c.Property("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    c.Property("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    c.Property("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    c.Property("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    c.Property("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    c.Property("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    c.Event("OnChange", &TScrollBar::OnChange);
    c.Event("OnScroll", &TScrollBar::OnScroll, "TScrollEvent");
}

// ---------------------------------------------------------------------------------------------
// Extra controls

ORV_META_IMPL(TCustomPanel)
void TCustomPanel::DeclareMeta(meta::Class<TCustomPanel>& c) {
    c.Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
    c.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    c.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    c.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
        .TypeName("TBevelWidth")
        .Default(1);
    c.Property("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).Default(bsNone);
    c.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    c.Property("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
}

ORV_META_IMPL(TPanel)
void TPanel::DeclareMeta(meta::Class<TPanel>&) {}

ORV_META_IMPL(TBevel)
void TBevel::DeclareMeta(meta::Class<TBevel>& c) {
    c.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    c.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
}

ORV_META_IMPL(TSplitter)
void TSplitter::DeclareMeta(meta::Class<TSplitter>& c) {
    c.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
    c.Event("OnMoved", &TSplitter::OnMoved);
}

ORV_META_IMPL(TShape)
void TShape::DeclareMeta(meta::Class<TShape>& c) {
    c.Property("Brush", &TShape::Brush, &TShape::SetBrush);
    c.Property("Pen", &TShape::Pen, &TShape::SetPen);
    c.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
}

ORV_META_IMPL(TPaintBox)
void TPaintBox::DeclareMeta(meta::Class<TPaintBox>& c) {
    c.Event("OnPaint", &TPaintBox::OnPaint);
}

ORV_META_IMPL(TImage)
void TImage::DeclareMeta(meta::Class<TImage>& c) {
    c.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
    c.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    c.Property("Picture", &TImage::Picture, &TImage::SetPicture);
    c.Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
    c.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
    c.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}

ORV_META_IMPL(TCustomRadioGroup)
void TCustomRadioGroup::DeclareMeta(meta::Class<TCustomRadioGroup>& c) {
    c.Property("Caption", &TCustomRadioGroup::Caption, &TCustomRadioGroup::SetCaption);
    c.Property("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1);
    c.Property("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex).Default(-1);
    c.Property("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
}

ORV_META_IMPL(TRadioGroup)
void TRadioGroup::DeclareMeta(meta::Class<TRadioGroup>&) {}

ORV_META_IMPL(TTimer)
void TTimer::DeclareMeta(meta::Class<TTimer>& c) {
    c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    c.Event("OnTimer", &TTimer::OnTimer);
}

// ---------------------------------------------------------------------------------------------
// Common controls

ORV_META_IMPL(TStatusBar)
void TStatusBar::DeclareMeta(meta::Class<TStatusBar>& c) {
    c.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    c.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    c.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
}

ORV_META_IMPL(TTreeView)
void TTreeView::DeclareMeta(meta::Class<TTreeView>& c) {
    c.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
    c.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
    c.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(false);
    c.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
    c.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
    c.Event("OnChange", &TTreeView::OnChange, "TTVChangedEvent");
    c.Event("OnChanging", &TTreeView::OnChanging, "TTVChangingEvent");
    c.Event("OnCollapsed", &TTreeView::OnCollapsed, "TTVExpandedEvent");
    c.Event("OnExpanded", &TTreeView::OnExpanded, "TTVExpandedEvent");
}

ORV_META_IMPL(TTabSheet)
void TTabSheet::DeclareMeta(meta::Class<TTabSheet>& c) {
    c.Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
    c.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex)
        .TypeName("TImageIndex")
        .Default(-1);
    c.Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
    c.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    c.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    c.Event("OnHide", &TTabSheet::OnHide);
    c.Event("OnShow", &TTabSheet::OnShow);
}

ORV_META_IMPL(TPageControl)
void TPageControl::DeclareMeta(meta::Class<TPageControl>& c) {
    c.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    c.Property("Images", &TPageControl::Images, &TPageControl::SetImages);
    c.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0);
    c.Property("Style", &TPageControl::Style, &TPageControl::SetStyle).Default(tsTabs);
    c.Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition).Default(tpTop);
    c.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0);
    c.Event("OnChange", &TPageControl::OnChange);
    c.Event("OnChanging", &TPageControl::OnChanging, "TTabChangingEvent");
}

ORV_META_IMPL(TProgressBar)
void TProgressBar::DeclareMeta(meta::Class<TProgressBar>& c) {
    c.Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
    c.Property("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
    c.Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
    c.Property("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
}

ORV_META_IMPL(TUpDown)
void TUpDown::DeclareMeta(meta::Class<TUpDown>& c) {
    c.Property("Increment", &TUpDown::Increment, &TUpDown::SetIncrement).Default(1);
    c.Property("Max", &TUpDown::Max, &TUpDown::SetMax).Default(100);
    c.Property("Min", &TUpDown::Min, &TUpDown::SetMin).Default(0);
    c.Property("Position", &TUpDown::Position, &TUpDown::SetPosition).Default(0);
}

ORV_META_IMPL(TListView)
void TListView::DeclareMeta(meta::Class<TListView>& c) {
    c.Property("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes).Default(false);
    c.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(false);
    c.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(false);
    c.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(false);
    c.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(false);
    c.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    c.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
    c.Event("OnSelectItem", &TListView::OnSelectItem, "TLVSelectItemEvent");
}

ORV_META_IMPL(TDateTimePicker)
void TDateTimePicker::DeclareMeta(meta::Class<TDateTimePicker>& c) {
    c.Property("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked).Default(true);
    c.Property("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate).TypeName("TDate");
    c.Property("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat).Default(dfShort);
    c.Property("DateMode", &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode).Default(dmComboBox);
    c.Property("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat);
    c.Property("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(dtkDate);
    c.Property("MaxDate", &TDateTimePicker::MaxDate, &TDateTimePicker::SetMaxDate).TypeName("TDate");
    c.Property("MinDate", &TDateTimePicker::MinDate, &TDateTimePicker::SetMinDate).TypeName("TDate");
    c.Property("ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox)
        .Default(false);
    c.Property("Time", &TDateTimePicker::Time, &TDateTimePicker::SetTime).TypeName("TTime");
    c.Event("OnChange", &TDateTimePicker::OnChange);
}

ORV_META_IMPL(TToolButton)
void TToolButton::DeclareMeta(meta::Class<TToolButton>& c) {
    c.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp).Default(false);
    c.Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
    c.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    c.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    c.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    c.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
        .TypeName("TImageIndex")
        .Default(-1);
    c.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
}

ORV_META_IMPL(TToolBar)
void TToolBar::DeclareMeta(meta::Class<TToolBar>& c) {
    c.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    c.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    c.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
    c.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    c.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    c.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
}
