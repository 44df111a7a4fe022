// ReplaceFileContent on this system's files, called directly.
#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace moniquet;

namespace {

namespace fs = std::filesystem;

// The save flushes its temporary file before putting it in place: a signal
// raised from this stand-in for the C library's fsync arrives exactly while
// that file exists.
int g_signalInFsync = 0;

} // namespace

// Set: the save cannot set an extended attribute, as where a security
// module forbids it.
bool g_attributesRefused = false;

extern "C" int fsync(int file) {
    if (g_signalInFsync != 0) {
        std::raise(g_signalInFsync);
    }
    return static_cast<int>(::syscall(SYS_fsync, file));
}

extern "C" int fsetxattr(int file, const char* name, const void* value, size_t size, int flags) {
    if (g_attributesRefused) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsetxattr, file, name, value, size, flags));
}

namespace {

const std::vector<uint8_t> kNew = {'n', 'e', 'w'};

class ReplaceFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "moniquet-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path Write(const std::string& name, const std::string& bytes, fs::perms mode) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        fs::permissions(folder / name, mode);
        return folder / name;
    }

    // Every entry under the folder, with its type: no temporary file stays.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            names.push_back(entry.path().lexically_relative(folder).string() + " " +
                            std::to_string(static_cast<int>(entry.symlink_status().type())));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // What `command` prints.
    static std::string Output(const std::string& command) {
        std::string text;
        std::FILE* pipe = ::popen(command.c_str(), "r");
        for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) {
            text += static_cast<char>(c);
        }
        if (pipe != nullptr) {
            ::pclose(pipe);
        }
        return text;
    }

    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder;
};

TEST_F(ReplaceFile, RefusesWhatIsNotARegularFileAndTouchesNothing) {
    std::vector<fs::path> targets = {folder / "fifo", folder / "socket", folder / "folder"};
    ASSERT_EQ(::mkfifo(targets[0].c_str(), 0644), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    targets[1].string().copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    fs::create_directory(targets[2]);
    if (::geteuid() == 0) { // a copy of /dev/null, which only root may make
        targets.push_back(folder / "null");
        ASSERT_EQ(::mknod(targets.back().c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    const std::vector<std::string> before = Entries();
    for (const fs::path& target : targets) {
        EXPECT_EQ(ReplaceFileContent(target, kNew), "not a regular file") << target;
    }
    EXPECT_EQ(Entries(), before);
    ::close(listener);
}

TEST_F(ReplaceFile, KeepsTheModeAndOwnerOfTheFileReplaced) {
    const mode_t mask = ::umask(022);
    const fs::path file =
        Write("private.bin", "old",
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
    }
    EXPECT_EQ(ReplaceFileContent(file, kNew), std::nullopt);
    EXPECT_EQ(ReplaceFileContent(folder / "fresh.bin", kNew), std::nullopt);
    ::umask(mask);
    struct stat kept {};
    struct stat fresh {};
    ASSERT_EQ(::stat(file.c_str(), &kept), 0);
    ASSERT_EQ(::stat((folder / "fresh.bin").c_str(), &fresh), 0);
    EXPECT_EQ(kept.st_mode & 07777, 0640u);
    EXPECT_EQ(fresh.st_mode & 07777, 0644u);
    if (root) {
        EXPECT_EQ(kept.st_uid, 1234u);
        EXPECT_EQ(kept.st_gid, 5678u);
    }
    EXPECT_EQ(Read(file), "new");
}

// A named user's access and a group's read-only access survive the save
// (fchmod alone would turn the ACL's mask into group write), and so do the
// user's own attributes; one that cannot be set refuses the save.
TEST_F(ReplaceFile, KeepsTheAclAndExtendedAttributesOrRefuses) {
    const fs::path file =
        Write("shared.bin", "old", fs::perms::owner_read | fs::perms::owner_write);
    const std::string acl = "getfacl -cn " + file.string();
    if (std::system(("setfacl -m u:4321:rw,g::r " + file.string() + " 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "setfacl cannot set an ACL here (is the acl package installed?)";
    }
    ASSERT_EQ(::setxattr(file.c_str(), "user.moniquet", "kept", 4, 0), 0);
    const std::string before = Output(acl);
    EXPECT_NE(before.find("user:4321:rw-"), std::string::npos) << before;
    ASSERT_EQ(ReplaceFileContent(file, kNew), std::nullopt);
    EXPECT_EQ(Output(acl), before);
    char value[8] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.moniquet", value, sizeof(value)), 4);
    EXPECT_STREQ(value, "kept");

    // Nor does a folder's default ACL give the file one it did not have.
    const fs::path plain =
        Write("plain.bin", "old", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(std::system(("setfacl -d -m u:4321:rw " + folder.string()).c_str()), 0);
    ASSERT_EQ(ReplaceFileContent(plain, kNew), std::nullopt);
    EXPECT_EQ(Output("getfacl -cn " + plain.string()), "user::rw-\ngroup::---\nother::---\n\n");
    fs::remove(plain);

    g_attributesRefused = true;
    EXPECT_EQ(ReplaceFileContent(file, std::vector<uint8_t>{0x78}),
              "cannot keep system.posix_acl_access: Operation not permitted");
    g_attributesRefused = false;
    EXPECT_EQ(Read(file), "new");
    EXPECT_EQ(Entries(), std::vector<std::string>{"shared.bin 1"});
}

// A saver who owns the file but is not in its group: the replacement is in
// the saver's group, which must not get the old group's permissions.
TEST_F(ReplaceFile, AGroupThatCannotBeKeptGetsNoPermission) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to make a file of a group its owner is not in";
    }
    const fs::path file =
        Write("group.bin", "old",
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::group_write | fs::perms::others_read);
    const fs::path shared = folder / "shared.bin";
    fs::copy_file(file, shared);
    const bool acl =
        std::system(("setfacl -m u:1111:r " + shared.string() + " 2>/dev/null").c_str()) == 0;
    ASSERT_EQ(::chown(file.c_str(), 4321, 5678), 0);
    ASSERT_EQ(::chown(shared.c_str(), 4321, 5678), 0);
    ASSERT_EQ(::chown(folder.c_str(), 4321, 4321), 0);
    EXPECT_EXIT(
        {
            const gid_t none[] = {4321};
            if (::setgroups(1, none) != 0 || ::setgid(4321) != 0 || ::setuid(4321) != 0) {
                std::_Exit(2);
            }
            std::_Exit(ReplaceFileContent(file, kNew) || ReplaceFileContent(shared, kNew) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    struct stat saved {};
    ASSERT_EQ(::stat(file.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_gid, 4321u);
    EXPECT_EQ(saved.st_mode & 07777, 0604u);
    EXPECT_EQ(Read(file), "new");
    if (acl) { // the ACL's entry for the owning group, likewise
        const std::string entries = Output("getfacl -cn " + shared.string());
        EXPECT_NE(entries.find("user:1111:r--\ngroup::---\n"), std::string::npos) << entries;
    }
}

// Not "Permission denied", which would send the user after the file's mode.
TEST_F(ReplaceFile, AReadOnlyFileSystemIsNamed) {
    const fs::path mount = folder / "mount";
    fs::create_directory(mount);
    if (::geteuid() != 0 ||
        std::system(("mount -t tmpfs none " + mount.string() + " 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "needs root, to mount a read-only file system";
    }
    Write("mount/kept.bin", "old", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(std::system(("mount -o remount,ro " + mount.string()).c_str()), 0);
    EXPECT_EQ(ReplaceFileContent(mount / "kept.bin", kNew), "Read-only file system");
    EXPECT_EQ(ReplaceFileContent(mount / "new.bin", kNew), "Read-only file system");
    EXPECT_EQ(std::system(("umount " + mount.string()).c_str()), 0);
}

TEST_F(ReplaceFile, WritesThroughASymbolicLinkInTheFolderOfTheFileItNames) {
    fs::create_directory(folder / "real");
    const fs::path writable = Write("real/writable.bin", "old", fs::perms::owner_all);
    const fs::path locked = Write("real/locked.bin", "old", fs::perms::owner_read);
    fs::create_symlink("real/writable.bin", folder / "to-writable");
    fs::create_symlink(locked, folder / "to-locked");
    const std::vector<std::string> before = Entries();

    EXPECT_EQ(ReplaceFileContent(folder / "to-writable", kNew), std::nullopt);
    EXPECT_EQ(Read(writable), "new");
    EXPECT_NE(ReplaceFileContent(folder / "to-locked", kNew), std::nullopt);
    EXPECT_EQ(Read(locked), "old");
    EXPECT_EQ(Entries(), before); // both links still links, nothing added
}

TEST_F(ReplaceFile, AnInterruptedSaveRemovesItsTemporaryFile) {
    const fs::path file = Write("target.bin", "old", fs::perms::owner_all);
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGALRM, SIGTERM, SIGXFSZ, SIGUSR1,
                             SIGUSR2, SIGVTALRM, SIGPROF}) {
        EXPECT_EXIT(
            {
                g_signalInFsync = signal;
                ReplaceFileContent(file, kNew);
            },
            ::testing::KilledBySignal(signal), "")
            << signal;
        EXPECT_EQ(Entries(), std::vector<std::string>{"target.bin 1"});
        EXPECT_EQ(Read(file), "old");
    }
    // A save that ends leaves the program's own handling of the signals.
    EXPECT_EQ(ReplaceFileContent(file, kNew), std::nullopt);
    struct sigaction action {};
    ::sigaction(SIGTERM, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL);
}

} // namespace
