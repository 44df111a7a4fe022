// ReplaceFileContent on this system's files, called directly.
#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The save flushes its temporary file before putting it in place: a signal
// raised from this stand-in for the C library's fsync arrives exactly while
// that file exists.
int g_signalInFsync = 0;

} // namespace

extern "C" int fsync(int file) {
    if (g_signalInFsync != 0) {
        std::raise(g_signalInFsync);
    }
    return static_cast<int>(::syscall(SYS_fsync, file));
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
