#include "gui/Graphic.h"

#include "rtl/Streams.h"

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TGraphic::Assign(const TPersistent* Source) {
    if (auto* g = dynamic_cast<const TGraphic*>(Source))
        Assign(*g);
    else
        TPersistent::Assign(Source);
}

void TGraphic::Assign(const TGraphic& source) {
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::SaveToClipboardFormat(Word&, std::vector<Byte>&) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::LoadFromClipboardFormat(Word, const std::vector<Byte>&) {
    throw EInvalidGraphic("Unsupported clipboard format");
}
