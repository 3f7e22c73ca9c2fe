#include "cli/EvdevDevices.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

namespace quilby {

namespace {

class LibevdevDevice : public InputDevice {
public:
    LibevdevDevice(int fd, libevdev* dev, std::string path)
        : fd_(fd), dev_(dev), path_(std::move(path)) {}
    ~LibevdevDevice() override {
        if (grabbed_) {
            libevdev_grab(dev_, LIBEVDEV_UNGRAB);
        }
        libevdev_free(dev_);
        ::close(fd_);
    }
    LibevdevDevice(const LibevdevDevice&) = delete;
    LibevdevDevice& operator=(const LibevdevDevice&) = delete;

    // Best effort: a device another program has grabbed reports nothing to
    // us, which the timeout then tells.
    void grab() { grabbed_ = libevdev_grab(dev_, LIBEVDEV_GRAB) == 0; }

    int fd() const override { return gone_ ? -1 : fd_; }

    std::optional<InputEvent> next() override {
        if (gone_) {
            return std::nullopt;
        }
        input_event ev{};
        int rc = libevdev_next_event(
            dev_, syncing_ ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, &ev);
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            // Events were dropped: libevdev replays the differences first.
            syncing_ = true;
            return InputEvent{ev.type, ev.code, ev.value};
        }
        if (rc == LIBEVDEV_READ_STATUS_SUCCESS) {
            return InputEvent{ev.type, ev.code, ev.value};
        }
        syncing_ = false;
        if (rc == -ENODEV) {
            gone_ = true;
        }
        return std::nullopt;
    }

    LockStates lockToggles() const override {
        return LockStates{libevdev_get_event_value(dev_, EV_LED, LED_NUML) != 0,
                          libevdev_get_event_value(dev_, EV_LED, LED_CAPSL) != 0};
    }

    std::string name() const override {
        const char* n = libevdev_get_name(dev_);
        return path_ + " (" + (n ? n : "unnamed") + ")";
    }

    std::string physicalPath() const override {
        const char* phys = libevdev_get_phys(dev_);
        return phys ? phys : "";
    }

    bool isKeyboard() const {
        return libevdev_has_event_type(dev_, EV_KEY) && looksLikeKeyboard([this](unsigned code) {
                   return libevdev_has_event_code(dev_, EV_KEY, code) != 0;
               });
    }

private:
    int fd_;
    libevdev* dev_;
    std::string path_;
    bool syncing_ = false;
    bool gone_ = false;
    bool grabbed_ = false;
};

struct Opened {
    std::unique_ptr<LibevdevDevice> device;
    int error = 0;
};

Opened open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {nullptr, errno};
    }
    libevdev* dev = nullptr;
    const int rc = libevdev_new_from_fd(fd, &dev);
    if (rc < 0) {
        ::close(fd);
        return {nullptr, -rc};
    }
    return {std::make_unique<LibevdevDevice>(fd, dev, path), 0};
}

} // namespace

std::string inputPermissionHint() {
    return "this user may not read the keyboard's input device: add it to the 'input' group "
           "(sudo usermod -aG input \"$USER\", then log in again) or run the command as root";
}

InputOpening openInputDevice(const std::string& path) {
    Opened opened = open(path);
    if (!opened.device) {
        std::string why = "cannot read " + path + ": " + std::strerror(opened.error);
        if (opened.error == EACCES || opened.error == EPERM) {
            why += "; " + inputPermissionHint();
        }
        return {nullptr, why};
    }
    opened.device->grab();
    return {std::move(opened.device), {}};
}

KeyboardSearch findKeyboards() {
    KeyboardSearch search;
    search.folder = "/dev/input";
    DIR* dir = ::opendir(search.folder.c_str());
    if (dir == nullptr) {
        search.folderMissing = true;
        return search;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, "event", 5) == 0) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        Opened opened = open(search.folder + "/" + name);
        if (!opened.device) {
            search.denied += (opened.error == EACCES || opened.error == EPERM) ? 1 : 0;
            continue;
        }
        if (opened.device->isKeyboard()) {
            opened.device->grab();
            search.keyboards.push_back(std::move(opened.device));
        }
    }
    return search;
}

} // namespace quilby
