// The sample format behind new text objects.
#include "report/designer/vrDesgnSampleFormat.h"

#include "report/designer/vrDesgnComponent.h"
#include "report/vrClassMemo.h"
#include "report/vrDMPClass.h"

namespace {

void CopyFormat(TvrCustomMemoView* from, TvrCustomMemoView* to) {
    to->Color = from->Color;
    if (!dynamic_cast<TvrDMPMemoView*>(from) && !dynamic_cast<TvrDMPMemoView*>(to)) to->SetFont(from->Font());
    to->SetFrame(from->Frame());
    to->HAlign = from->HAlign;
    to->VAlign = from->VAlign;
    to->RTLReading = from->RTLReading;
    to->SetParentFont(from->ParentFont());
}

} // namespace

TSampleFormat::TSampleFormat() { Reset(); }

TSampleFormat::~TSampleFormat() = default;

void TSampleFormat::Reset() {
    FSample = std::make_unique<TvrMemoView>(nullptr);
    if (DesignerComponent) {
        FSample->SetFont(DesignerComponent->DefaultFont());
        FSample->RTLReading = DesignerComponent->RTLLanguage;
        FSample->SetParentFont(DesignerComponent->MemoParentFont);
    }
}

void TSampleFormat::ApplyTo(TvrCustomMemoView* view) {
    if (view) CopyFormat(FSample.get(), view);
}

void TSampleFormat::TakeFrom(TvrCustomMemoView* view) {
    if (view) CopyFormat(view, FSample.get());
}
