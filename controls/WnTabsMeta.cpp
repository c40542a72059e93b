// Published properties of the tab control, the page control and its sheets.
#include "controls/WnPageControl.h"

#include "classes/MetaBuilder.h"

ORV_META_IMPL(TWnCustomTabControl)
void TWnCustomTabControl::DeclareMeta(meta::Class<TWnCustomTabControl>&) {}

ORV_META_IMPL(TWnTabSheet)
void TWnTabSheet::DeclareMeta(meta::Class<TWnTabSheet>& c) {
    c.Property("DisabledIndex", &TWnTabSheet::DisabledIndex, &TWnTabSheet::SetDisabledIndex).Default(-1);
    c.Property("ImageIndex", &TWnTabSheet::ImageIndex, &TWnTabSheet::SetImageIndex).Default(-1);
    c.Property("PageIndex", &TWnTabSheet::PageIndex, &TWnTabSheet::SetPageIndex).Stored(false);
    c.Property("TabEnabled", &TWnTabSheet::TabEnabled, &TWnTabSheet::SetTabEnabled).Default(true);
    c.Property("TabVisible", &TWnTabSheet::TabVisible, &TWnTabSheet::SetTabVisible).Default(true);
}

ORV_META_IMPL(TWnPageControl)
void TWnPageControl::DeclareMeta(meta::Class<TWnPageControl>& c) {
    using T = TWnPageControl;
    c.Property("AlignTabs", &T::AlignTabs, &T::SetAlignTabs).Default(false);
    c.Property("BackgroundColor", &T::BackgroundColor, &T::SetBackgroundColor)
        .TypeName("TColor")
        .Default(clBtnFace);
    c.Property("BoldCurrentTab", &T::BoldCurrentTab, &T::SetBoldCurrentTab).Default(false);
    c.Property("UseColoredTabs", &T::UseColoredTabs, &T::SetUseColoredTabs).Default(false);
    c.Property("CutCornerSize", &T::CutCornerSize, &T::SetCutCornerSize).Default(6);
    c.Property("FlatColor", &T::FlatColor, &T::SetFlatColor).TypeName("TColor").Default(clBtnShadow);
    c.Property("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment).Default(0);
    c.Property("ImageAlignment", &T::ImageAlignment, &T::SetImageAlignment).Default(haCenter);
    c.Property("ImageMargin", &T::ImageMargin, &T::SetImageMargin).Default(2);
    c.Property("ImagePosition", &T::ImagePosition, &T::SetImagePosition).Default(ipLeft);
    c.Property("HotTrack", &T::HotTrack, &T::SetHotTrack).Default(true);
    c.Property("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor).TypeName("TColor").Default(1350640);
    c.Property("HotTrackStyle", &T::HotTrackStyle, &T::SetHotTrackStyle).Default(htsTab);
    c.Property("Margin", &T::Margin, &T::SetMargin).Default(0);
    c.Property("MultiLine", &T::MultiLine, &T::SetMultiLine).Default(false);
    c.Property("RowIndent", &T::RowIndent, &T::SetRowIndent).Default(5);
    c.Property("RowOverlap", &T::RowOverlap, &T::SetRowOverlap).Default(5);
    c.Property("ShowCardFrame", &T::ShowCardFrame, &T::SetShowCardFrame).Default(true);
    c.Property("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect).Default(true);
    c.Property("ShowFullFrame", &T::ShowFullFrame, &T::SetShowFullFrame).Default(true);
    c.Property("ShowShadow", &T::ShowShadow, &T::SetShowShadow).Default(true);
    c.Property("TabHeight", &T::TabHeight, &T::SetTabHeight).Default(0);
    c.Property("TabIndex", &T::TabIndex, &T::SetTabIndex).Default(-1);
    c.Property("TabOrientation", &T::TabOrientation, &T::SetTabOrientation).Default(toTop);
    c.Property("TabSequence", &T::TabSequence, &T::SetTabSequence).Default(tsStandard);
    c.Property("TabStyle", &T::TabStyle, &T::SetTabStyle).Default(tsSingleSlant);
    c.Property("TabWidth", &T::TabWidth, &T::SetTabWidth).Default(0);
    c.Property("UseGradients", &T::UseGradients, &T::SetUseGradients).Default(true);
}
