// The designer's multi-line edit for the texts of report objects. Report texts are UTF-16 and the
// platform's edits hold UTF-16 already, so every character, also outside the BMP and outside the
// 8-bit code pages, is typed, pasted, read and written unchanged. The workspace's in-place editor
// and the designer's text editors read and write their text through GetWideText and SetWideText.
#pragma once

#include "gui/StdCtrls.h"

class TUnicodeMemo : public TMemo {
    ORV_META(TUnicodeMemo, TMemo)
    explicit TUnicodeMemo(TComponent* AOwner) : TMemo(AOwner) {}
};

// The memo's text, lines joined with CR LF.
WideString GetWideText(const TUnicodeMemo* memo);
// Replaces the memo's text, firing OnChange, unless it already holds that text (line breaks of
// any kind count as one).
void SetWideText(TUnicodeMemo* memo, const WideString& text);
