#include "report/vrPictureCache.h"

#include "classes/MetaProps.h"
#include "gui/Picture.h"
#include "report/vrClassBase.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"

#include <algorithm>

// --- size-limited streams ---

Int64 TvrMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
    if (SizeLimit && offset == 0 && origin == TSeekOrigin::soEnd) return SizeLimit;
    return TMemoryStream::Seek(offset, origin);
}

Int64 TvrMemoryStream::Size() {
    return SizeLimit ? SizeLimit : TMemoryStream::Size();
}

Int64 TvrMemoryStream::Read(void* buffer, Int64 count) {
    if (SizeLimit) count = std::max<Int64>(0, std::min(count, SizeLimit - Position()));
    return TMemoryStream::Read(buffer, count);
}

Int64 TvrFileStream::Seek(Int64 offset, TSeekOrigin origin) {
    if (SizeLimit && offset == 0 && origin == TSeekOrigin::soEnd) return SizeLimit;
    return TFileStream::Seek(offset, origin);
}

Int64 TvrFileStream::Size() {
    return SizeLimit ? SizeLimit : TFileStream::Size();
}

Int64 TvrFileStream::Read(void* buffer, Int64 count) {
    if (SizeLimit) count = std::max<Int64>(0, std::min(count, SizeLimit - Position()));
    return TFileStream::Read(buffer, count);
}

// --- the cache ---

TvrPictureCache::TvrPictureCache() = default;

TvrPictureCache::~TvrPictureCache() {
    Clear();
}

void TvrPictureCache::Clear() {
    for (size_t i = 0; i < FStreams.size(); ++i) {
        FStreams[i].reset();
        if (FFileCache && i < FTempFiles.size()) DeleteFile(FTempFiles[i]);
    }
    FStreams.clear();
    FTempFiles.clear();
    FItems.Clear();
}

void TvrPictureCache::SetFileCache(bool Value) {
    if (FStreams.empty()) FFileCache = Value;
}

void TvrPictureCache::SetTempFolder(const String& Folder) {
    if (FStreams.empty()) FTempFolder = Folder;
}

void TvrPictureCache::NewItem() {
    if (FStreams.empty() || FStreams.back()->Size() > StreamLimit) {
        if (FFileCache) {
            String folder = FTempFolder.substr(0, 64);
            folder = folder.empty() ? GetTempDir() : IncludeTrailingPathDelimiter(folder);
            const String name = GetTempFileName(folder, "frPic");
            FTempFiles.push_back(name);
            FStreams.push_back(std::make_unique<TvrFileStream>(name, fmOpenReadWrite));
        } else {
            FStreams.push_back(std::make_unique<TvrMemoryStream>());
        }
    }
    TStream& last = *FStreams.back();
    FItems.Add(StreamCount() - 1, last.Size());
    last.Seek(0, TSeekOrigin::soEnd);
}

Int64 TvrPictureCache::ItemSize(int Index) {
    const auto& item = FItems.Items(Index);
    if (Index + 1 < FItems.Count() && FItems.Items(Index + 1).Stream == item.Stream)
        return FItems.Items(Index + 1).Offset - item.Offset;
    return FStreams[static_cast<size_t>(item.Stream)]->Size() - item.Offset;
}

void TvrPictureCache::SetLimit(int Stream, Int64 Limit) {
    TStream* s = FStreams[static_cast<size_t>(Stream)].get();
    if (auto* m = dynamic_cast<TvrMemoryStream*>(s)) m->SizeLimit = Limit;
    if (auto* f = dynamic_cast<TvrFileStream*>(s)) f->SizeLimit = Limit;
}

Integer TvrPictureCache::AddPicture(TPicture* Picture) {
    if (!Picture || !Picture->Graphic()) return 0;
    const Integer index = FItems.Count() + 1;
    NewItem();
    Picture->Graphic()->SaveToStream(*FStreams.back());
    return index;
}

void TvrPictureCache::GetPicture(Integer ImageIndex, TPicture* Picture) {
    if (!Picture) return;
    if (ImageIndex <= 0 || ImageIndex > FItems.Count() || FStreams.empty()) {
        Picture->SetGraphic(nullptr);
        return;
    }
    const auto& item = FItems.Items(ImageIndex - 1);
    const Int64 size = ItemSize(ImageIndex - 1);
    TStream& s = *FStreams[static_cast<size_t>(item.Stream)];
    s.SetPosition(item.Offset);
    SetLimit(item.Stream, item.Offset + size);
    try {
        Picture->LoadFromStream(s);
    } catch (...) {
        SetLimit(item.Stream, 0);
        throw;
    }
    SetLimit(item.Stream, 0);
}

namespace {
TPicture* PictureOf(TvrComponent* View) {
    if (!View || !GetPropInfo(View, "Picture")) return nullptr;
    return dynamic_cast<TPicture*>(GetObjectProp(View, "Picture"));
}
} // namespace

void TvrPictureCache::AddPicture(TvrComponent* View) {
    if (TPicture* p = PictureOf(View)) SetOrdProp(View, "ImageIndex", AddPicture(p));
}

void TvrPictureCache::GetPicture(TvrComponent* View) {
    if (TPicture* p = PictureOf(View)) GetPicture(static_cast<Integer>(GetOrdProp(View, "ImageIndex")), p);
}

void TvrPictureCache::SaveToXML(TvrXMLItem* Item) {
    Item->Clear();
    for (auto& s : FStreams) s->SetPosition(0);
    for (int i = 0; i < FItems.Count(); ++i) {
        const auto& item = FItems.Items(i);
        TStream& s = *FStreams[static_cast<size_t>(item.Stream)];
        s.SetPosition(item.Offset);
        TMemoryStream bytes;
        bytes.CopyFrom(s, ItemSize(i));
        TvrXMLItem* child = Item->Add();
        child->Name = "item";
        child->AttrText = "stream=\"" + StreamToHex(bytes) + "\"";
    }
}

void TvrPictureCache::LoadFromXML(TvrXMLItem* Item) {
    Clear();
    for (int i = 0; i < Item->ItemCount(); ++i) {
        const String hex = Item->GetItem(i)->GetProp("stream");
        // Two hexadecimal digits per byte; anything else is a damaged file.
        if (hex.size() % 2) throw TvrInvalidXMLException();
        for (char c : hex)
            if (!std::isxdigit(static_cast<unsigned char>(c))) throw TvrInvalidXMLException();
        NewItem();
        TMemoryStream bytes;
        HexToStream(hex, bytes);
        bytes.SetPosition(0);
        FStreams.back()->CopyFrom(bytes, bytes.Size());
    }
}
