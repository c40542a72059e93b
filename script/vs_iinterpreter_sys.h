// The system library: built-in type names, True, False, nil and Null, the exception variables,
// the string and array accessors, 68 functions in six categories and the variant type constants.
// It is the first registration module every script takes (AddRTTI).
#pragma once

#include "script/vs_iinterpreter.h"

#include <functional>

class TvsSysFunctions : public TvsRTTIModule {
public:
    explicit TvsSysFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsSysFunctions"; }

private:
    String FCatConv = "ctConv", FCatFormat = "ctFormat", FCatDate = "ctDate", FCatString = "ctString",
           FCatMath = "ctMath", FCatOther = "ctOther";
};

// Where ShowMessage shows its text. The window layer installs the platform's message box; a test
// collects the texts. Without a procedure the text goes nowhere.
using TvsShowMessageProc = std::function<void(const String& Text)>;
TvsShowMessageProc& vsShowMessageProc();
