#include "link/EvdevKeys.h"

#include <linux/input-event-codes.h>
#include <poll.h>
#include <thread>

namespace quilby {

bool onPs2Port(std::string_view physicalPath) {
    // The controller's keyboard port; serio1 behind it is the mouse's.
    constexpr std::string_view kPs2Keyboard = "isa0060/serio0";
    return physicalPath.substr(0, kPs2Keyboard.size()) == kPs2Keyboard &&
           (physicalPath.size() == kPs2Keyboard.size() || physicalPath[kPs2Keyboard.size()] == '/');
}

std::vector<KeyMessage> EvdevKeyTranslator::feed(const InputEvent& event) {
    std::vector<KeyMessage> keys;
    if (event.type != EV_KEY || event.value < 0 || event.value > 2) {
        return keys;
    }
    const auto key = pcKeyFromEvdev(event.code);
    if (!key) {
        return keys;
    }
    if (event.value == 0) {
        for (const KeyEvent& e : source_.release(*key)) {
            keys.push_back(keyMessageOf(e));
        }
        return keys;
    }
    KeyEvent keyDown;
    for (const KeyEvent& e : source_.press(*key, event.value == 2)) {
        keys.push_back(keyMessageOf(e));
        keyDown = e;
    }
    if (const auto character = source_.characterAfter(keyDown)) {
        keys.push_back(keyMessageOf(*character));
    }
    return keys;
}

bool looksLikeKeyboard(const std::function<bool(unsigned keyCode)>& hasKey) {
    static constexpr unsigned kNeeded[] = {
        KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H,     KEY_I,    KEY_J, KEY_K,
        KEY_L, KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S,     KEY_T,    KEY_U, KEY_V,
        KEY_W, KEY_X, KEY_Y, KEY_Z, KEY_0, KEY_1, KEY_9, KEY_SPACE, KEY_ENTER};
    for (const unsigned code : kNeeded) {
        if (!hasKey(code)) {
            return false;
        }
    }
    return true;
}

EvdevKeySource::EvdevKeySource(std::vector<std::unique_ptr<InputDevice>> devices) {
    for (auto& device : devices) {
        const std::string physical = device->physicalPath();
        const KeyOrigin origin = physical.empty()      ? KeyOrigin::Unknown
                                 : onPs2Port(physical) ? KeyOrigin::Ps2Port
                                                       : KeyOrigin::Elsewhere;
        Reader reader{std::move(device), {}, origin};
        reader.translator.setLockToggles(reader.device->lockToggles());
        readers_.push_back(std::move(reader));
    }
}

std::string EvdevKeySource::describe() const {
    std::string text;
    for (const Reader& r : readers_) {
        text += (text.empty() ? "" : ", ") + r.device->name();
    }
    return text.empty() ? "no input device" : text;
}

std::vector<KeyMessage> EvdevKeySource::read(std::chrono::milliseconds timeout) {
    std::vector<pollfd> fds;
    for (const Reader& r : readers_) {
        if (r.device->fd() >= 0) {
            fds.push_back(pollfd{r.device->fd(), POLLIN, 0});
        }
    }
    std::vector<KeyMessage> keys;
    const auto drain = [&] {
        for (Reader& r : readers_) {
            while (const auto event = r.device->next()) {
                for (KeyMessage key : r.translator.feed(*event)) {
                    key.origin = r.origin;
                    keys.push_back(key);
                }
            }
        }
    };
    drain();
    if (!keys.empty()) {
        return keys;
    }
    if (fds.empty()) {
        std::this_thread::sleep_for(timeout);
    } else if (::poll(fds.data(), fds.size(), static_cast<int>(timeout.count())) > 0) {
        for (const pollfd& p : fds) {
            // An unplugged device stays "ready" for ever: wait instead of spinning.
            if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
                std::this_thread::sleep_for(timeout);
                break;
            }
        }
    }
    drain();
    return keys;
}

} // namespace quilby
