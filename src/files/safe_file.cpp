// The POSIX side of the safe file writer: what a name points at, temporaries (O_TMPFILE named
// by linkat where available) and their locks, the removal of temporaries whose writer died,
// writing in place, the signal handlers that remove a named temporary, and the Japanese reasons
// for system errors.
#include "files/safe_file.h"
#include "messages/translatable.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>
#include <mutex>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace sim {

namespace fs = std::filesystem;

namespace {

WriterFaults gFaults;

// --- Temporaries the signal handlers remove ----------------------------------------------------

// A fixed table, so that the handlers read nothing but plain memory: a slot is taken with
// `taken`, its name written, then `armed`. Large enough for a run's pictures, which wait named
// until all of them are put in place.
constexpr int kSlots = 64;
struct TemporarySlot {
    std::atomic<bool> taken{false};
    std::atomic<bool> armed{false};
    char name[PATH_MAX];
};
TemporarySlot gSlots[kSlots];

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTemporariesAndDie(int signal)
{
    const int saved = errno;
    for (TemporarySlot& slot : gSlots)
        if (slot.armed.load())
            ::unlink(slot.name);
    errno = saved;
    // The default action on return ends the process with status 128 + signal.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Installs the handlers once, leaving alone a signal the process ignores (nohup) or handles.
void InstallHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int signal : kCleanedSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = RemoveTemporariesAndDie;
            sigemptyset(&action.sa_mask);
            ::sigaction(signal, &action, nullptr);
        }
    });
}

int ArmSlot(const fs::path& name)
{
    const std::string& text = name.native();
    if (text.size() >= PATH_MAX)
        return -1;
    InstallHandlers();
    for (int i = 0; i < kSlots; ++i) {
        bool free = false;
        if (gSlots[i].taken.compare_exchange_strong(free, true)) {
            std::memcpy(gSlots[i].name, text.c_str(), text.size() + 1);
            gSlots[i].armed.store(true);
            return i;
        }
    }
    return -1;   // more than kSlots files at once: the extra ones are not cleaned on a signal
}

void DisarmSlot(int& slot)
{
    if (slot < 0)
        return;
    gSlots[slot].armed.store(false);
    gSlots[slot].taken.store(false);
    slot = -1;
}

// The folder a temporary for `target` goes in, so that renaming it over the target is one step.
fs::path FolderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// What marks a named temporary: ".NAME" + kMark + six letters or digits.
constexpr std::string_view kMark = ".mechsim-";
constexpr int kDrawn = 6;

bool IsTemporaryName(std::string_view name)
{
    if (name.size() < 1 + kMark.size() + kDrawn + 1 || !name.starts_with('.'))
        return false;
    const std::string_view drawn = name.substr(name.size() - kDrawn);
    return name.substr(name.size() - kDrawn - kMark.size(), kMark.size()) == kMark
           && std::all_of(drawn.begin(), drawn.end(),
                          [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

// A hidden name in `directory` that tells which file it will become, ".NAME.mechsim-XXXXXX",
// with NAME shortened (never inside a UTF-8 character) so that it fits the file system's
// longest name.
fs::path TemporaryName(const fs::path& directory, const std::string& target)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    // One generator for the program, seeded once; the lock lets several writers (the window's
    // worker and the row formatter's threads) draw names at the same time.
    static std::mutex guard;
    static std::mt19937 pick{std::random_device{}()};
    std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
    const long longest = ::pathconf(directory.c_str(), _PC_NAME_MAX);
    const std::size_t room =
        static_cast<std::size_t>(longest > 0 ? longest : 255) - 1 - kMark.size() - kDrawn;
    std::string part = target.substr(0, room);
    while (!part.empty() && part.size() < target.size()
           && (static_cast<unsigned char>(target[part.size()]) & 0xC0) == 0x80)
        part.pop_back();
    std::string name = "." + part + std::string(kMark);
    const std::lock_guard lock(guard);
    for (int k = 0; k < kDrawn; ++k)
        name.push_back(kLetters[letter(pick)]);
    return directory / name;
}

// Removes the named temporaries in `directory` whose writer has died: the user's own regular
// files with a temporary's name and no other link, which nobody holds locked. A live writer
// holds its lock until its temporary is renamed or removed, and the kernel drops the lock of a
// process that ends however it ends.
void RemoveDeadTemporaries(const fs::path& directory)
{
    DIR* folder = ::opendir(directory.c_str());
    if (!folder)
        return;
    const int at = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        const int handle =
            ::openat(at, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (handle < 0)
            continue;
        struct stat opened {};
        struct stat named {};
        // The name is checked again once locked, so that a file put there meanwhile stays.
        if (::fstat(handle, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_nlink == 1
            && opened.st_uid == ::geteuid() && ::flock(handle, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(at, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0
            && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlinkat(at, entry->d_name, 0);
        ::close(handle);
    }
    ::closedir(folder);
}

// A temporary without a name, for bytes that are copied into the target afterwards: O_TMPFILE,
// or a file removed as soon as it is made. -1 (and errno) when `directory` takes neither.
int AnonymousFile(const fs::path& directory)
{
    if (!gFaults.namedTemporary) {
        const int handle = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (handle >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return handle;
    }
    std::string name = (directory / ".mechsim-XXXXXX").native();
    const int handle = ::mkostemp(name.data(), O_CLOEXEC);
    if (handle >= 0)
        ::unlink(name.c_str());
    return handle;
}

// Whether the effective user may do `access` to `path` (as the kernel would check it on open).
bool Permitted(const fs::path& path, int access)
{
    return ::faccessat(AT_FDCWD, path.c_str(), access, AT_EACCESS) == 0;
}

// --- What a name points at ----------------------------------------------------------------------

struct Target {
    enum class Kind { Replaced, Streamed, StandardOutput, Refused, Failed };
    Kind kind = Kind::Failed;
    fs::path path;          // the final name after symbolic links
    bool exists = false;    // Replaced: a file is there now
    bool inPlace = false;   // Replaced: written through the file's own inode
    struct stat info {};    // of the existing file
    std::string reason;     // Refused, Failed
};

Target Refuse(std::string reason)
{
    Target t;
    t.kind = Target::Kind::Refused;
    t.reason = std::move(reason);
    return t;
}

bool IsDirectory(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Target Resolve(const fs::path& given)
{
    Target t;
    if (given == "-") {
        t.kind = Target::Kind::StandardOutput;
        return t;
    }
    if (given.native().ends_with('/'))
        return Refuse(
            IsDirectory(given)
                ? FileErrorReason(EISDIR)
                : MECHSIM_TR_NOOP("core", "名前が「/」で終わっていて、ファイル名がありません"));
    fs::path path = given;
    for (int hop = 0; hop < 40; ++hop) {
        if (path.native().starts_with("/proc/")) {
            // The kernel's links to open files (/dev/stdout, /proc/self/fd/N) name no path to
            // replace: whatever they lead to is written straight.
            if (IsDirectory(given))
                return Refuse(FileErrorReason(EISDIR));
            t.kind = Target::Kind::Streamed;
            t.path = given;
            return t;
        }
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                t.reason = FileErrorReason(errno);
                return t;
            }
            t.kind = Target::Kind::Replaced;   // a new file; a missing folder shows on creation
            t.path = path;
            return t;
        }
        if (S_ISLNK(info.st_mode)) {
            std::string text(PATH_MAX, '\0');
            const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
            if (length < 0) {
                t.reason = FileErrorReason(errno);
                return t;
            }
            text.resize(static_cast<std::size_t>(length));
            const fs::path link(text);
            path = link.is_absolute() ? link : path.parent_path() / link;
            continue;
        }
        t.path = path;
        t.info = info;
        if (S_ISREG(info.st_mode)) {
            // Refused as the shell refuses it, also for root, whom the kernel would let write.
            if ((info.st_mode & 0222) == 0)
                return Refuse(MECHSIM_TR_NOOP("core", "読み取り専用のファイルです"));
            if (!Permitted(path, W_OK))
                return Refuse(FileErrorReason(errno));
            t.kind = Target::Kind::Replaced;
            t.exists = true;
            // A new inode would split a hard-linked file from its other names, and a folder
            // the user cannot write to takes no temporary: such a file is written in place.
            t.inPlace = info.st_nlink > 1 || !Permitted(FolderOf(path), W_OK | X_OK);
        } else if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) {
            t.kind = Target::Kind::Streamed;
        } else if (S_ISDIR(info.st_mode)) {
            return Refuse(FileErrorReason(EISDIR));
        } else if (S_ISSOCK(info.st_mode)) {
            return Refuse(MECHSIM_TR_NOOP("core", "ソケットです（ファイルではありません）"));
        } else {
            return Refuse(
                MECHSIM_TR_NOOP("core", "ブロックデバイスです（ファイルではありません）"));
        }
        return t;
    }
    t.reason = FileErrorReason(ELOOP);
    return t;
}

// A closed pipe then shows as EPIPE from write() instead of ending the process.
void IgnoreBrokenPipes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGPIPE, SIG_IGN);
    });
}

}

std::string FileErrorReason(int error)
{
    const char* japanese = nullptr;
    switch (error) {
    case EACCES:
    case EPERM:
        japanese = MECHSIM_TR_NOOP("core", "書き込む権限がありません");
        break;
    case ENOENT:
        japanese = MECHSIM_TR_NOOP("core", "フォルダーがありません");
        break;
    case ENOSPC:
    case EDQUOT:
        japanese = MECHSIM_TR_NOOP("core", "ディスクがいっぱいです");
        break;
    case EROFS:
        japanese = MECHSIM_TR_NOOP("core", "読み取り専用のファイルシステムです");
        break;
    case ENAMETOOLONG:
        japanese = MECHSIM_TR_NOOP("core", "名前が長すぎます");
        break;
    case EISDIR:
        japanese = MECHSIM_TR_NOOP("core", "フォルダーです");
        break;
    case ENOTDIR:
        japanese = MECHSIM_TR_NOOP("core", "途中の名前がフォルダーではありません");
        break;
    case EFBIG:
        japanese = MECHSIM_TR_NOOP("core", "ファイルが大きすぎます");
        break;
    case EPIPE:
        japanese = MECHSIM_TR_NOOP("core", "読み手が閉じました");
        break;
    case ELOOP:
        japanese = MECHSIM_TR_NOOP("core", "シンボリックリンクが多すぎます");
        break;
    case EIO:
        japanese = MECHSIM_TR_NOOP("core", "入出力エラーです");
        break;
    default:
        break;
    }
    const std::string system = std::generic_category().message(error);
    // The interface translates the marked reason and keeps the system's words in brackets.
    return japanese ? FillPattern(kReasonWithSystemWords, {japanese, system}) : system;
}

std::optional<std::string> UnwritableTarget(const fs::path& path)
{
    Target t = Resolve(path);
    if (t.kind == Target::Kind::Refused || t.kind == Target::Kind::Failed)
        return std::move(t.reason);
    if (t.kind != Target::Kind::Replaced || t.exists)
        return std::nullopt;
    // A new file: its folder must be there and take it.
    const fs::path folder = FolderOf(t.path);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return FileErrorReason(errno);
    if (!S_ISDIR(info.st_mode))
        return FileErrorReason(ENOTDIR);
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest > 0 && t.path.filename().native().size() > static_cast<std::size_t>(longest))
        return FileErrorReason(ENAMETOOLONG);
    if (!Permitted(folder, W_OK | X_OK))
        return FileErrorReason(errno);
    return std::nullopt;
}

void SetWriterFaultsForTesting(const WriterFaults& faults)
{
    gFaults = faults;
}

SafeFileWriter::SafeFileWriter(fs::path path)
    : path_(std::move(path)), failAfter_(gFaults.failAfterBytes), failError_(gFaults.error)
{
    open();
}

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

bool SafeFileWriter::fail(int error)
{
    return fail(FileErrorReason(error));
}

bool SafeFileWriter::fail(std::string reason)
{
    if (reason_.empty())
        reason_ = std::move(reason);
    return false;
}

void SafeFileWriter::open()
{
    Target t = Resolve(path_);
    target_ = t.path;
    switch (t.kind) {
    case Target::Kind::Refused:
    case Target::Kind::Failed:
        fail(std::move(t.reason));
        return;
    case Target::Kind::StandardOutput:
        IgnoreBrokenPipes();
        ownsHandle_ = false;
        handle_ = STDOUT_FILENO;
        if (::fcntl(handle_, F_GETFD) < 0)
            fail(errno);
        return;
    case Target::Kind::Streamed:
        IgnoreBrokenPipes();
        handle_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
        if (handle_ < 0)
            fail(errno);
        return;
    case Target::Kind::Replaced:
        break;
    }
    replaces_ = true;
    if (t.inPlace) {
        openInPlace();
        return;
    }
    if (!openTemporary())
        return;
    if (t.exists) {
        // The owner first: changing it clears set-user-ID bits that fchmod then restores.
        // Where that is not permitted, at least the group; failing both, the file becomes the
        // user's own, as any file the user writes.
        if ((t.info.st_uid != ::geteuid() || t.info.st_gid != ::getegid())
            && ::fchown(handle_, t.info.st_uid, t.info.st_gid) != 0
            && ::fchown(handle_, static_cast<uid_t>(-1), t.info.st_gid) != 0) {
        }
        if (::fchmod(handle_, t.info.st_mode & 07777) != 0)
            fail(errno);
    }
}

bool SafeFileWriter::openTemporary()
{
    RemoveDeadTemporaries(FolderOf(target_));
    // Mode 0666: the umask (and a default ACL of the folder) give a new file the permissions
    // any new file gets there; an existing file's mode is copied afterwards.
    // An unnamed temporary vanishes with the process whatever ends it; naming it needs
    // /proc/self/fd for linkat without privileges. It is locked before it has a name.
    if (!gFaults.namedTemporary && ::access("/proc/self/fd", X_OK) == 0) {
        handle_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (handle_ >= 0) {
            unnamed_ = true;
            ::flock(handle_, LOCK_EX);
            return true;
        }
        // Not supported by this file system or kernel: fall back to a named temporary.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail(errno);
    }
    return takeFreshName([this](const fs::path& name) {
        handle_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle_ < 0)
            return false;
        // Locked before a byte is written. A file system without locks cannot have its
        // temporaries taken for dead either; a writer that found this one before the lock
        // removed it, and another name is drawn.
        struct stat info {};
        if (::flock(handle_, LOCK_EX) != 0 || (::fstat(handle_, &info) == 0 && info.st_nlink > 0))
            return true;
        ::close(std::exchange(handle_, -1));
        errno = EEXIST;
        return false;
    });
}

bool SafeFileWriter::openInPlace()
{
    inPlace_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (inPlace_ < 0)
        return fail(errno);
    // The bytes wait beside the file where that folder takes them, otherwise in the system's
    // folder for temporaries; the file itself is touched only when every byte is there.
    handle_ = AnonymousFile(FolderOf(target_));
    if (handle_ < 0) {
        std::error_code error;
        const fs::path elsewhere = fs::temp_directory_path(error);
        handle_ = error ? -1 : AnonymousFile(elsewhere);
    }
    return handle_ >= 0 || fail(errno);
}

bool SafeFileWriter::copyIntoTarget()
{
    if (::lseek(handle_, 0, SEEK_SET) != 0 || ::ftruncate(inPlace_, 0) != 0)
        return fail(errno);
    std::vector<char> buffer(std::size_t(1) << 20);
    for (;;) {
        const ssize_t count = ::read(handle_, buffer.data(), buffer.size());
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        for (ssize_t done = 0; done < count;) {
            const ssize_t part =
                ::write(inPlace_, buffer.data() + done, static_cast<std::size_t>(count - done));
            if (part < 0 && errno != EINTR)
                return fail(errno);
            done += std::max<ssize_t>(part, 0);
        }
    }
    return ::close(std::exchange(inPlace_, -1)) == 0 || fail(errno);
}

bool SafeFileWriter::nameTemporary()
{
    const std::string self = "/proc/self/fd/" + std::to_string(handle_);
    unnamed_ = false;
    return takeFreshName([&self](const fs::path& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
}

bool SafeFileWriter::takeFreshName(const std::function<bool(const fs::path&)>& create)
{
    const fs::path directory = FolderOf(target_);
    const std::string target = target_.filename().native();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Armed before the name exists, so that no moment leaves it behind on a signal.
        temporary_ = TemporaryName(directory, target);
        slot_ = ArmSlot(temporary_);
        if (create(temporary_))
            return true;
        const int error = errno;
        DisarmSlot(slot_);
        temporary_.clear();
        if (error != EEXIST)
            return fail(error);
    }
    return fail(EEXIST);
}

bool SafeFileWriter::write(std::string_view bytes)
{
    if (!ready())
        return false;
    if (bytes.size() > failAfter_ - written_) {
        bytes = bytes.substr(0, failAfter_ - written_);
        write(bytes);
        return fail(failError_);
    }
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(handle_, p, left);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        p += count;
        left -= static_cast<std::size_t>(count);
        written_ += static_cast<std::size_t>(count);
    }
    return true;
}

bool SafeFileWriter::prepare()
{
    if (prepared_)
        return reason_.empty();
    if (!ready()) {
        discard();
        return false;
    }
    prepared_ = true;
    if (!replaces_ || inPlace_ >= 0)
        return true;
    if (unnamed_ && !nameTemporary()) {
        discard();
        return false;
    }
    // close() reports delayed write errors (a full disk on a network file system); the
    // duplicate keeps the temporary locked until it is in place.
    lock_ = ::fcntl(handle_, F_DUPFD_CLOEXEC, 0);
    if (lock_ < 0)
        fail(errno);
    if (::close(std::exchange(handle_, -1)) != 0)
        fail(errno);
    if (!reason_.empty()) {
        discard();
        return false;
    }
    return true;
}

bool SafeFileWriter::commit()
{
    if (!prepare())
        return false;
    if (inPlace_ >= 0) {
        copyIntoTarget();
    } else if (replaces_) {
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
            fail(errno);
    } else if (const int handle = std::exchange(handle_, -1); ownsHandle_ && ::close(handle) != 0) {
        fail(errno);
    }
    if (!reason_.empty()) {
        discard();
        return false;
    }
    temporary_.clear();
    discard();
    return true;
}

void SafeFileWriter::discard()
{
    if (handle_ >= 0 && ownsHandle_)
        ::close(handle_);
    handle_ = -1;
    // Removed while still locked, so that no other writer takes it for a dead one's.
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
    DisarmSlot(slot_);
    for (int* handle : {&lock_, &inPlace_})
        if (*handle >= 0)
            ::close(std::exchange(*handle, -1));
}

std::optional<Refusal> SafeFileWriter::refusal() const
{
    if (reason_.empty())
        return std::nullopt;
    return Refusal::OfFile(path_, reason_);
}

bool SafeFileSet::add(const fs::path& path, std::string_view bytes)
{
    if (refusal_)
        return false;
    files_.push_back(std::make_unique<SafeFileWriter>(path));
    SafeFileWriter& file = *files_.back();
    return file.write(bytes) || fail(file);
}

bool SafeFileSet::commit()
{
    if (refusal_)
        return false;
    // Every temporary gets its name first; then putting them in place is one rename each.
    for (const std::unique_ptr<SafeFileWriter>& file : files_)
        if (!file->prepare())
            return fail(*file);
    for (const std::unique_ptr<SafeFileWriter>& file : files_)
        if (!file->commit())
            return fail(*file);
    files_.clear();
    return true;
}

void SafeFileSet::discard()
{
    files_.clear();
}

bool SafeFileSet::fail(const SafeFileWriter& file)
{
    refusal_ = file.refusal();
    discard();
    return false;
}

std::optional<Refusal> WriteWholeFile(const fs::path& path, std::string_view bytes)
{
    SafeFileWriter file(path);
    if (file.write(bytes) && file.commit())
        return std::nullopt;
    return file.refusal();
}

}
