#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While this lives, the calling thread is held to the permission bits even as root (the
// capabilities to read and write any file are off): a file of mode 0200 cannot be read.
class NoRootOverride {
public:
    NoRootOverride() {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        lowered_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~NoRootOverride() {
        if (lowered_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    bool active() const { return lowered_ || ::geteuid() != 0; }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool lowered_ = false;
};
