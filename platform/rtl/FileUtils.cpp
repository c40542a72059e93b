#include "rtl/FileUtils.h"

#include "rtl/StrUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

std::mutex& FolderMutex() {
    static std::mutex m;
    return m;
}

String& ProgramFolderOverride() {
    static String folder;
    return folder;
}

bool StatPath(const String& path, struct stat& st) {
    return ::stat(NormalizePath(path).c_str(), &st) == 0;
}

// Seconds since 1970 in local time to a date-time.
TDateTime LocalSecondsToDateTime(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    const double local = static_cast<double>(t) + static_cast<double>(tm.tm_gmtoff);
    return local / 86400.0 + 25569.0;
}

std::vector<String> FindEntries(const String& folder, const String& mask, bool folders) {
    std::vector<String> names;
    String dir = NormalizePath(folder);
    if (dir.empty()) dir = ".";
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    const String base = IncludeTrailingPathDelimiter(dir);
    while (const dirent* e = ::readdir(d)) {
        const String name = e->d_name;
        if (name == "." || name == "..") continue;
        if (!MatchesMask(name, mask)) continue;
        struct stat st {};
        if (::stat((base + name).c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode) == folders) names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

bool MatchFrom(const String& name, size_t n, const String& mask, size_t m) {
    while (m < mask.size()) {
        const char c = mask[m];
        if (c == '*') {
            while (m < mask.size() && mask[m] == '*')
                ++m;
            if (m == mask.size()) return true;
            for (size_t k = n; k <= name.size(); ++k)
                if (MatchFrom(name, k, mask, m)) return true;
            return false;
        }
        if (n >= name.size()) return false;
        if (c != '?' && LowCase(c) != LowCase(name[n])) return false;
        ++n, ++m;
    }
    return n == name.size();
}

} // namespace

String NormalizePath(const String& path) {
    String r = path;
    std::replace(r.begin(), r.end(), '\\', '/');
    return r;
}

String ProgramFolder() {
    {
        std::lock_guard<std::mutex> lock(FolderMutex());
        if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
    }
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return IncludeTrailingPathDelimiter(GetCurrentDir());
    return ExtractFilePath(String(buf, static_cast<size_t>(n)));
}

void SetProgramFolder(const String& folder) {
    std::lock_guard<std::mutex> lock(FolderMutex());
    ProgramFolderOverride() = folder.empty() ? String() : IncludeTrailingPathDelimiter(NormalizePath(folder));
}

String ExtractFilePath(const String& fileName) {
    const String s = NormalizePath(fileName);
    const auto p = s.find_last_of('/');
    return p == String::npos ? String() : s.substr(0, p + 1);
}

String ExtractFileDir(const String& fileName) {
    const String s = NormalizePath(fileName);
    const auto p = s.find_last_of('/');
    if (p == String::npos) return String();
    return p == 0 ? String("/") : s.substr(0, p);
}

String ExtractFileName(const String& fileName) {
    const String s = NormalizePath(fileName);
    const auto p = s.find_last_of('/');
    return p == String::npos ? s : s.substr(p + 1);
}

String ExtractFileExt(const String& fileName) {
    const String s = NormalizePath(fileName);
    const auto p = s.find_last_of("./");
    return p == String::npos || s[p] != '.' ? String() : s.substr(p);
}

String ChangeFileExt(const String& fileName, const String& extension) {
    const String s = NormalizePath(fileName);
    const auto p = s.find_last_of("./");
    if (p == String::npos || s[p] != '.') return s + extension;
    return s.substr(0, p) + extension;
}

String IncludeTrailingPathDelimiter(const String& path) {
    String s = NormalizePath(path);
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

String ExcludeTrailingPathDelimiter(const String& path) {
    String s = NormalizePath(path);
    if (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

String ExpandFileName(const String& fileName) {
    String s = NormalizePath(fileName);
    if (s.empty()) return s;
    if (s[0] != '/') s = IncludeTrailingPathDelimiter(GetCurrentDir()) + s;
    std::vector<String> parts;
    size_t start = 1;
    while (start <= s.size()) {
        auto end = s.find('/', start);
        if (end == String::npos) end = s.size();
        const String part = s.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    String r;
    for (const auto& p : parts)
        r += "/" + p;
    if (r.empty()) r = "/";
    // A trailing separator names a folder: keep it.
    if (s.back() == '/' && r != "/") r += '/';
    return r;
}

bool FileExists(const String& fileName) {
    struct stat st {};
    return !fileName.empty() && StatPath(fileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& dir) {
    struct stat st {};
    return !dir.empty() && StatPath(dir, st) && S_ISDIR(st.st_mode);
}

bool DirectoryWritable(const String& dir) {
    return DirectoryExists(dir) && ::access(NormalizePath(dir).c_str(), W_OK | X_OK) == 0;
}

String UserConfigFolder() {
    String base;
    if (const char* v = std::getenv("ORVANTA_CONFIG_HOME"); v && *v)
        base = v;
    else if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = String(h) + "/.config";
    else
        base = GetTempDir() + ".config";
    return IncludeTrailingPathDelimiter(base) + "orvanta/";
}

bool ForceDirectories(const String& dir) {
    const String d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty()) return false;
    if (DirectoryExists(d)) return true;
    const String parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    return ::mkdir(d.c_str(), 0777) == 0 || DirectoryExists(d);
}

bool DeleteFile(const String& fileName) {
    if (!FileExists(fileName)) return false;
    return ::unlink(NormalizePath(fileName).c_str()) == 0;
}

bool RenameFile(const String& oldName, const String& newName) {
    const String from = NormalizePath(oldName), to = NormalizePath(newName);
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RenameFileReplacing(const String& oldName, const String& newName) {
    const String from = NormalizePath(oldName), to = NormalizePath(newName);
    struct stat st {};
    if (::lstat(from.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    if (::lstat(to.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFile(const String& source, const String& target, bool failIfExists) {
    const String from = NormalizePath(source), to = NormalizePath(target);
    if (failIfExists && (FileExists(to) || DirectoryExists(to))) return false;
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(in);
        return false;
    }
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0),
                           st.st_mode & 0777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buf[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) break;
    }
    if (ok) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
    }
    ok = (::close(out) == 0) && ok;
    ::close(in);
    return ok;
}

bool RemoveDir(const String& dir) {
    return ::rmdir(NormalizePath(dir).c_str()) == 0;
}

String GetCurrentDir() {
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? String(buf) : String(".");
}

bool FileAge(const String& fileName, TDateTime& age) {
    struct stat st {};
    if (!StatPath(fileName, st) || S_ISDIR(st.st_mode)) return false;
    std::time_t t = st.st_mtim.tv_sec;
    age = LocalSecondsToDateTime(t) + static_cast<double>(st.st_mtim.tv_nsec) / 1e9 / 86400.0;
    return true;
}

Integer FileAge(const String& fileName) {
    struct stat st {};
    if (!StatPath(fileName, st) || S_ISDIR(st.st_mode)) return -1;
    std::tm tm{};
    const std::time_t t = st.st_mtim.tv_sec;
    ::localtime_r(&t, &tm);
    if (tm.tm_year < 80) return -1;
    const UInt64 date = static_cast<UInt64>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
    const UInt64 time = static_cast<UInt64>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
    return static_cast<Integer>((date << 16) | time);
}

TDateTime FileDateToDateTime(Integer fileDate) {
    const auto v = static_cast<UInt64>(static_cast<std::uint32_t>(fileDate));
    const int date = static_cast<int>(v >> 16), time = static_cast<int>(v & 0xFFFF);
    int y = 1980 + (date >> 9), m = (date >> 5) & 15, d = date & 31;
    // Days from 1899-12-30 to the date (proleptic Gregorian calendar).
    auto daysFromCivil = [](int yy, int mm, int dd) {
        yy -= mm <= 2;
        const int era = (yy >= 0 ? yy : yy - 399) / 400;
        const int yoe = yy - era * 400;
        const int doy = (153 * (mm + (mm > 2 ? -3 : 9)) + 2) / 5 + dd - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468; // days since 1970-01-01
    };
    const double days = daysFromCivil(y, m, d) + 25569.0;
    const double secs = (time >> 11) * 3600.0 + ((time >> 5) & 63) * 60.0 + (time & 31) * 2.0;
    return days + secs / 86400.0;
}

Int64 FileSize(const String& fileName) {
    struct stat st {};
    if (!StatPath(fileName, st) || S_ISDIR(st.st_mode)) return -1;
    return static_cast<Int64>(st.st_size);
}

namespace {

// A field of the mount table, whose blanks, tabs, line breaks and backslashes are written as
// three octal digits after a backslash.
String MountField(const String& field) {
    String r;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const String digits = field.substr(i + 1, 3);
            if (digits.size() == 3 && std::all_of(digits.begin(), digits.end(), [](char c) {
                    return c >= '0' && c <= '7';
                })) {
                r += static_cast<char>(std::strtol(digits.c_str(), nullptr, 8));
                i += 3;
                continue;
            }
        }
        r += field[i];
    }
    return r;
}

bool UnderFolder(const String& path, const String& folder) {
    return path == folder || path.compare(0, folder.size() + 1, folder + "/") == 0;
}

} // namespace

std::vector<String> MountedVolumes() {
    std::vector<String> volumes;
    FILE* table = std::fopen("/proc/self/mounts", "re");
    if (!table) return volumes;
    static const char* const shares[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p"};
    char line[4096];
    while (std::fgets(line, sizeof line, table)) {
        char device[1024], folder[2048], type[256];
        if (std::sscanf(line, "%1023s %2047s %255s", device, folder, type) != 3) continue;
        const String path = MountField(folder);
        const bool disk = device[0] == '/';
        const bool share = std::any_of(std::begin(shares), std::end(shares),
                                       [&](const char* t) { return std::strcmp(t, type) == 0; });
        if (!disk && !share) continue;
        if (path == "/" || path.empty() || path[0] != '/') continue;
        if (!UnderFolder(path, "/run/media") &&
            (UnderFolder(path, "/proc") || UnderFolder(path, "/sys") || UnderFolder(path, "/dev") ||
             UnderFolder(path, "/run") || UnderFolder(path, "/boot") || UnderFolder(path, "/snap")))
            continue;
        if (std::find(volumes.begin(), volumes.end(), path) == volumes.end()) volumes.push_back(path);
    }
    std::fclose(table);
    return volumes;
}

String GetTempDir() {
    const char* env = std::getenv("TMPDIR");
    String dir = env && *env ? String(env) : String("/tmp");
    return IncludeTrailingPathDelimiter(dir);
}

bool CreateNewFile(const String& fileName) {
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

String GetTempFileName(const String& folder, const String& prefix) {
    const String dir = folder.empty() ? GetTempDir() : IncludeTrailingPathDelimiter(folder);
    String pattern = dir + prefix + "XXXXXX.tmp";
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) return String();
    ::close(fd);
    return pattern;
}

std::vector<String> FindFiles(const String& folder, const String& mask) {
    return FindEntries(folder, mask, false);
}

std::vector<String> FindFolders(const String& folder, const String& mask) {
    return FindEntries(folder, mask, true);
}

bool MatchesMask(const String& name, const String& mask) {
    if (mask.empty() || mask == "*.*") return true;
    return MatchFrom(name, 0, mask, 0);
}

bool LoadFileBytes(const String& fileName, std::string& bytes) {
    const int fd = ::open(NormalizePath(fileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
    char buf[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return false;
        }
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    bytes.swap(data);
    return true;
}

bool SaveFileAtomic(const String& fileName, const std::string& bytes) {
    String target = NormalizePath(fileName);
    struct stat st {};
    bool exists = false;
    if (::lstat(target.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            char resolved[PATH_MAX];
            if (::realpath(target.c_str(), resolved)) target = resolved;
        }
        exists = ::stat(target.c_str(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode)) return false;
        // The rename would only need the folder's permission: the file's own is honoured here.
        if (exists && ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) return false;
    }
    const String dir = ExtractFilePath(target);
    String temp = (dir.empty() ? String("./") : dir) + "." + ExtractFileName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0)
            ok = false;
        else
            done += static_cast<size_t>(w);
    }
    if (ok) {
        mode_t mode;
        if (exists) {
            mode = st.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd, mode);
        ok = ::fsync(fd) == 0;
    }
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

TFolderLock::TFolderLock(const String& folder) {
    const String dir = folder.empty() ? String(".") : NormalizePath(folder);
    FFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (FFd >= 0)
        while (::flock(FFd, LOCK_EX) != 0 && errno == EINTR) {
        }
}

TFolderLock::~TFolderLock() {
    if (FFd >= 0) {
        ::flock(FFd, LOCK_UN);
        ::close(FFd);
    }
}
