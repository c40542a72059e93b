// The desktop's icon theme: pictures looked up by their freedesktop names ("document-new",
// "go-next", "folder") through the toolkit's theme search. The user's own theme goes first; a theme
// without a picture of the name falls back to the theme the program installs (DefaultIconTheme),
// and an image list keeps its built-in picture where no theme has one (TCustomImageList::SetIconName).
#pragma once

#include "rtl/Types.h"

#include <vector>

// The theme the program installs and falls back to where the user's theme names nothing.
inline constexpr const char* DefaultIconTheme = "breeze";

// The theme names are looked up in (the user's desktop theme, or DefaultIconTheme without one).
String IconThemeName();
// The folders searched for themes, in order.
std::vector<String> IconThemeSearchPaths();
// Replaces the folders searched for themes (an empty list hides every theme, so only the
// built-in pictures show). Image entries already looked up keep their picture.
void SetIconThemeSearchPaths(const std::vector<String>& paths);
// True when the theme (or a theme it falls back to) has a picture of the name.
bool HasThemeIcon(const String& name);
