// TRichEditStrings: a string list whose lines live in a rich text holder, so that formatted
// text can be kept, streamed and printed before and after a printed grid.
#pragma once

#include "gridprint/RichTextHolder.h"
#include "rtl/StringList.h"

ORV_DECLARE_EXCEPTION(EOutOfResources, Exception)

class TStream;

class TRichEditStrings : public TStrings {
public:
    TRichEditStrings() = default;
    String ClassName() const override { return "TRichEditStrings"; }

    // The lines; an empty last line (after a final line break) is not counted.
    Integer Count() const override;
    void Clear() override;
    void Delete(Integer index) override;
    // Inserts before line index; at the count it appends. Beyond the count, or after an empty
    // last line, nothing happens.
    void Insert(Integer index, const String& s) override;
    void SetText(const String& text) override;

    // Rich text, or plain text when the bytes are not rich text; raises EOutOfResources
    // "Failed to Load Stream" when neither can be read.
    void LoadFromStream(TStream& stream);
    // Writes a rich text document; raises EOutOfResources "Failed to Save Stream" on failure.
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName) const;

    TRichTextHolder& Holder() { return FHolder; }
    const TRichTextHolder& Holder() const { return FHolder; }

protected:
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;

private:
    // First character of line index, or -1 when the line does not exist.
    int LineIndex(Integer index) const;
    int LineLength(Integer index) const;
    // Lines as the holder has them, the empty last one included.
    int RawLineCount() const;

    TRichTextHolder FHolder;
};
