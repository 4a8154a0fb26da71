// Ways to make the disk refuse a write, for the tests of failing saves (they run as root, where
// permissions do not stop a write): a file system mounted on a folder (a tiny tmpfs, or a
// read-only binding of another folder) and the immutable attribute of a file.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <string>

namespace zelk::test {

// A folder of its own with a file system mounted on it (or bound onto it), unmounted at the end.
class MountedFolder {
public:
    explicit MountedFolder(const std::string& path) : path_(path) {}
    ~MountedFolder() {
        if (mounted_) {
            umount2(path_.c_str(), MNT_DETACH);
        }
    }
    bool MountTmpfs(const char* options) {
        mounted_ = mount("zelk-test", path_.c_str(), "tmpfs", 0, options) == 0;
        return mounted_;
    }
    bool BindReadOnly(const std::string& source) {
        mounted_ = mount(source.c_str(), path_.c_str(), nullptr, MS_BIND, nullptr) == 0;
        return mounted_ && mount(nullptr, path_.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                                 nullptr) == 0;
    }

private:
    std::string path_;
    bool mounted_ = false;
};

// Sets or clears the immutable attribute of a file; false where the file system has none.
inline bool SetImmutable(const std::string& path, bool on) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}

}  // namespace zelk::test
