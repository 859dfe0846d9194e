#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While this lives, the calling thread is held to the permission bits even as root: the
// capabilities that let root read and write any file are off, so a file of mode 0200 cannot be
// read, as for any user.
class NoRootOverride {
public:
    NoRootOverride() {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        active_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~NoRootOverride() {
        if (active_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    // False when the capabilities could not be lowered (and the thread may still override).
    bool active() const { return active_ || ::geteuid() != 0; }
    NoRootOverride(const NoRootOverride&) = delete;
    NoRootOverride& operator=(const NoRootOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};
