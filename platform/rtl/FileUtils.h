// File and path helpers. Every path argument may be written the platform's way, with "\"
// separators (as stored settings have them): NormalizePath turns them into "/", and every helper
// here applies it, so "data\reports\" is the relative folder data/reports/.
#pragma once

#include "rtl/Types.h"

#include <string>
#include <vector>

// "\" separators become "/".
String NormalizePath(const String& path);

// The folder of the running program, with a trailing "/" (the folder of /proc/self/exe unless
// set; tests set a temporary folder).
String ProgramFolder();
void SetProgramFolder(const String& folder); // "" returns to the program's real folder

// Parts of a file name. ExtractFilePath keeps the trailing "/"; ExtractFileDir drops it (but
// keeps the root "/"); ExtractFileExt includes the dot ("" when the name has none).
String ExtractFilePath(const String& fileName);
String ExtractFileDir(const String& fileName);
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path); // the root "/" stays
// The absolute form, relative to the current folder, with "." and ".." resolved.
String ExpandFileName(const String& fileName);

bool FileExists(const String& fileName); // a file (not a folder)
bool DirectoryExists(const String& dir);
// True when this process may create files in the folder (it exists, and neither its permissions,
// an immutable flag nor a read-only mount stand in the way).
bool DirectoryWritable(const String& dir);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const String& dir);
bool DeleteFile(const String& fileName);
// False when the new name already exists (the platform does not replace files by renaming).
bool RenameFile(const String& oldName, const String& newName);
// Renames a file onto a name that may exist already, replacing that file in one step (a reader
// sees the old file or the new one). False when it cannot, or when the new name is a folder; the
// two files are then as they were.
bool RenameFileReplacing(const String& oldName, const String& newName);
// Copies content and modification time; with failIfExists an existing target is left alone and
// the result is false, otherwise it is overwritten.
bool CopyFile(const String& source, const String& target, bool failIfExists);
bool RemoveDir(const String& dir); // an empty folder
String GetCurrentDir();

// Modification time as a date-time in local time; false when the file does not exist.
bool FileAge(const String& fileName, TDateTime& age);
// Modification time in the platform's packed DOS form (local time); -1 when the file does not exist.
Integer FileAge(const String& fileName);
TDateTime FileDateToDateTime(Integer fileDate);
Int64 FileSize(const String& fileName); // -1 when it does not exist

// The program's folder of the user's own settings, with a trailing "/": "orvanta/" under
// $ORVANTA_CONFIG_HOME, else under $XDG_CONFIG_HOME, else under ~/.config. It may not exist yet.
String UserConfigFolder();

// The folders of the mounted volumes besides the root: disks, removable media and network
// shares, in the order they were mounted (the system's own mounts such as /proc, /sys, /dev, /run
// and /boot left out).
std::vector<String> MountedVolumes();

// The folder for temporary files ($TMPDIR or /tmp), with a trailing "/".
String GetTempDir();
// Creates the file empty when no file or folder of that name exists, in one step no other process
// can come between; false when the name is taken or the file cannot be made.
bool CreateNewFile(const String& fileName);
// Creates a new empty file with a unique name in the folder and returns its name.
String GetTempFileName(const String& folder = String(), const String& prefix = "orv");

// Names (without folder) of the files in folder whose names match the mask, sorted. The mask
// has the platform's wildcards "*" and "?" and matches without regard to case; "*.*" matches
// every name.
std::vector<String> FindFiles(const String& folder, const String& mask = "*");
// The same for sub-folders ("." and ".." left out).
std::vector<String> FindFolders(const String& folder, const String& mask = "*");
// True when the name matches the mask as FindFiles matches.
bool MatchesMask(const String& name, const String& mask);

// Reads the whole file; false when it cannot be read.
bool LoadFileBytes(const String& fileName, std::string& bytes);
// Writes the file so a reader sees the old content or the new, never part of it: the bytes go to a
// temporary file in the same folder that is then renamed over the file (a link is followed, the
// file's permissions kept). False when it cannot; the file is then unchanged. A file that could
// not be written in place is not replaced either: one marked read-only (no write permission for
// anyone, which also holds for the administrator) or one this user may not write.
bool SaveFileAtomic(const String& fileName, const std::string& bytes);

// Holds an exclusive advisory lock on a folder while it lives, so processes that change files in
// it one read-modify-write at a time do not lose each other's changes.
class TFolderLock {
public:
    explicit TFolderLock(const String& folder);
    ~TFolderLock();
    TFolderLock(const TFolderLock&) = delete;
    TFolderLock& operator=(const TFolderLock&) = delete;

private:
    int FFd = -1;
};
