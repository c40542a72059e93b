// Documents of the report library's XML dialect: loading, saving and swapping parts out.
#include "report/vrXML.h"

#include "report/vrUtils.h"

TvrXMLDocument::TvrXMLDocument() : FRoot(std::make_unique<TvrXMLItem>()) {}

TvrXMLDocument::~TvrXMLDocument() {
    ReleaseStreams();
}

void TvrXMLDocument::ReleaseStreams() {
    FInputStream.reset();
    if (FSwapStream) {
        FSwapStream.reset();
        DeleteFile(FSwapFileName);
        FSwapFileName.clear();
    }
}

void TvrXMLDocument::Clear() {
    FRoot->Clear();
    ReleaseStreams();
}

void TvrXMLDocument::Load(TStream& stream, bool readAll) {
    TvrXMLItem& root = *FRoot;
    root.Clear();
    root.Name.clear();
    root.AttrText.clear();
    root.Content.clear();
    root.IsLoaded = true;
    root.IsUnloadable = false;
    root.StreamOffset = 0;
    TvrXMLReader reader(stream);
    reader.ReadDeclaration();
    LegacyFormat = reader.LegacyFormat();
    reader.ReadRootItem(root, readAll);
}

void TvrXMLDocument::LoadFromStream(TStream& stream) {
    ReleaseStreams();
    Load(stream, true);
}

void TvrXMLDocument::LoadFromStream(std::unique_ptr<TStream> stream, bool allowPartialLoading) {
    ReleaseStreams();
    if (!allowPartialLoading) {
        Load(*stream, true);
        return;
    }
    // Kept before reading: elements left in the stream refer to it even when reading fails.
    FInputStream = std::move(stream);
    Load(*FInputStream, false);
}

void TvrXMLDocument::LoadFromFile(const String& fileName) {
    LoadFromStream(std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite), true);
}

void TvrXMLDocument::SaveToStream(TStream& stream) {
    TvrXMLWriter writer(stream);
    writer.IndentOutput = IndentOutput;
    writer.ReadBackDocument = this;
    writer.WriteDeclaration(DeclareUtf8Texts);
    writer.WriteTree(*FRoot);
}

void TvrXMLDocument::SaveToFile(const String& fileName) {
    WriteFileReplacing(fileName, [this](TStream& stream) { SaveToStream(stream); });
}

TStream* TvrXMLDocument::StreamOf(const TvrXMLItem& item) const {
    return item.FInSwapFile ? FSwapStream.get() : FInputStream.get();
}

void TvrXMLDocument::ReadBack(TvrXMLItem& item) {
    TStream* stream = StreamOf(item);
    if (!stream) return;
    const Int64 saved = stream->Position();
    const String name = item.Name, attr = item.AttrText;
    bool read = false;
    try {
        stream->SetPosition(item.StreamOffset);
        TvrXMLReader reader(*stream);
        read = reader.ReadRootItem(item, true);
    } catch (...) {
        item.Clear();
        item.Name = name;
        item.AttrText = attr;
        stream->SetPosition(saved);
        throw;
    }
    stream->SetPosition(saved);
    item.Name = name;
    item.AttrText = attr; // changes made while it was swapped out survive
    // An element that is no longer in its stream must not pass for an empty one.
    if (!read) throw TvrInvalidXMLException();
    item.IsLoaded = true;
}

void TvrXMLDocument::LoadItem(TvrXMLItem& item) {
    if (!item.IsUnloadable || item.IsLoaded) return;
    ReadBack(item);
}

void TvrXMLDocument::OpenSwapFile() {
    const String folder = !TempFolder.empty() && DirectoryExists(TempFolder) ? TempFolder : String();
    FSwapFileName = GetTempFileInFolder(folder);
    try {
        FSwapStream = std::make_unique<TFileStream>(FSwapFileName, fmOpenReadWrite);
    } catch (...) {
        DeleteFile(FSwapFileName);
        FSwapFileName.clear();
        throw;
    }
}

void TvrXMLDocument::UnloadItem(TvrXMLItem& item) {
    if (!item.IsLoaded || !item.IsUnloadable) return;
    if (!FSwapStream) OpenSwapFile();
    const Int64 offset = FSwapStream->Seek(0, TSeekOrigin::soEnd);
    TvrXMLWriter writer(*FSwapStream);
    writer.ReadBackDocument = this;
    writer.WriteTree(item);
    item.Clear();
    item.StreamOffset = offset;
    item.FInSwapFile = true;
}
