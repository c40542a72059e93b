// Pictures the report tests draw are kept beside the build's screenshots for a look by eye,
// never in the folder the test happens to run in.
#pragma once

#include "rtl/FileUtils.h"
#include "rtl/Types.h"

inline String ReviewPicturePath(const String& fileName) {
    ForceDirectories(ORV_SCREEN_DIR);
    return String(ORV_SCREEN_DIR) + "/" + fileName;
}
