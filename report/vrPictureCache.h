// The picture cache of a prepared report: each printed graphic is stored once, appended to a
// stream in memory or in a temporary file, and picture views keep only its number.
#pragma once

#include "report/vrXML.h"
#include "rtl/Streams.h"

#include <memory>
#include <vector>

class TPicture;
class TvrComponent;

// A memory stream whose size reads as a limit while one is set, so a reader that reads to the
// end of the stream stops at the end of one picture.
class TvrMemoryStream : public TMemoryStream {
public:
    String ClassName() const override { return "TvrMemoryStream"; }
    Int64 SizeLimit = 0; // 0: none
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override;
    Int64 Read(void* buffer, Int64 count) override;
};

class TvrFileStream : public TFileStream {
public:
    using TFileStream::TFileStream;
    String ClassName() const override { return "TvrFileStream"; }
    Int64 SizeLimit = 0; // 0: none
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override;
    Int64 Read(void* buffer, Int64 count) override;
};

// Where each picture begins: the number of its stream and the offset in it.
class TvrCacheList {
public:
    struct TEntry {
        int Stream = 0;
        Int64 Offset = 0;
    };
    void Add(int Stream, Int64 Offset) { FItems.push_back({Stream, Offset}); }
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TEntry& Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }

private:
    std::vector<TEntry> FItems;
};

class TvrPictureCache : public TObject {
public:
    TvrPictureCache();
    ~TvrPictureCache() override;
    String ClassName() const override { return "TvrPictureCache"; }

    // A stream grows past this size only by the picture that crossed it; the next picture
    // starts a new stream.
    static inline Int64 StreamLimit = 1789569705;

    void Clear();
    // Take effect only while the cache has no stream.
    void SetFileCache(bool Value);
    void SetTempFolder(const String& Folder);

    // Stores the picture's graphic and returns its ImageIndex (entry number + 1); 0 without one.
    Integer AddPicture(TPicture* Picture);
    // Reads the picture of ImageIndex back; an index outside 1 .. Count clears the picture.
    void GetPicture(Integer ImageIndex, TPicture* Picture);
    // The same for an object with a published Picture and ImageIndex (a picture view).
    void AddPicture(TvrComponent* View);
    void GetPicture(TvrComponent* View);

    void SaveToXML(TvrXMLItem* Item);
    void LoadFromXML(TvrXMLItem* Item);

    int Count() const { return FItems.Count(); }
    int StreamCount() const { return static_cast<int>(FStreams.size()); }
    const std::vector<String>& TempFiles() const { return FTempFiles; }

private:
    void NewItem();
    Int64 ItemSize(int Index);
    void SetLimit(int Stream, Int64 Limit);

    TvrCacheList FItems;
    std::vector<std::unique_ptr<TStream>> FStreams;
    std::vector<String> FTempFiles;
    bool FFileCache = false;
    String FTempFolder;
};
