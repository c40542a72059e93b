#include "gui/IconTheme.h"

#include "gui/qt/IconThemeSetup.h"
#include "gui/qt/QtSupport.h"

#include <QDir>
#include <QIcon>
#include <QStringList>

namespace {

// The folders of the freedesktop base directories that hold icon themes, in their order. The
// toolkit searches them under a desktop's platform theme, not under every platform (offscreen).
QStringList BaseIconFolders() {
    QStringList folders;
    const QString home = QDir::homePath();
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) dataHome = home + QLatin1String("/.local/share");
    folders << dataHome + QLatin1String("/icons") << home + QLatin1String("/.icons");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty()) dataDirs = QLatin1String("/usr/local/share:/usr/share");
    for (const QString& dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << dir + QLatin1String("/icons");
    return folders;
}

// The toolkit takes an empty list of folders for "the desktop's own folders"; a list of this one
// folder, which no file system has, hides every theme.
const QString NoThemes = QStringLiteral(":/no-icon-themes");

} // namespace

void PrepareIconTheme() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    EnsureQtApp();
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder : BaseIconFolders())
        if (!paths.contains(folder)) paths << folder;
    QIcon::setThemeSearchPaths(paths);
    // Without a desktop that names its theme the toolkit looks only in "hicolor", which has few
    // pictures; the installed theme stands in, and backs up a user's theme that lacks a name.
    QIcon::setFallbackThemeName(QString::fromLatin1(DefaultIconTheme));
    const QString current = QIcon::themeName();
    if (current.isEmpty() || current == QLatin1String("hicolor"))
        QIcon::setThemeName(QString::fromLatin1(DefaultIconTheme));
}

String IconThemeName() {
    PrepareIconTheme();
    return FromQString(QIcon::themeName());
}

std::vector<String> IconThemeSearchPaths() {
    PrepareIconTheme();
    std::vector<String> paths;
    for (const QString& path : QIcon::themeSearchPaths())
        if (path != NoThemes) paths.push_back(FromQString(path));
    return paths;
}

void SetIconThemeSearchPaths(const std::vector<String>& paths) {
    PrepareIconTheme();
    QStringList list;
    for (const String& path : paths)
        list << ToQString(path);
    if (list.isEmpty()) list << NoThemes;
    QIcon::setThemeSearchPaths(list);
}

bool HasThemeIcon(const String& name) {
    if (name.empty()) return false;
    PrepareIconTheme();
    return QIcon::hasThemeIcon(ToQString(name));
}
