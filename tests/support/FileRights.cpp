#include "support/FileRights.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

namespace {

constexpr unsigned kOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

}  // namespace

WithoutFileOverride::WithoutFileOverride() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (syscall(SYS_capget, &header, data) != 0) return;
  std::memcpy(saved_, data, sizeof data);
  if (!(data[0].effective & kOverrides)) return;
  data[0].effective &= ~kOverrides;
  changed_ = syscall(SYS_capset, &header, data) == 0;
}

WithoutFileOverride::~WithoutFileOverride() {
  if (!changed_) return;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  std::memcpy(data, saved_, sizeof data);
  syscall(SYS_capset, &header, data);
}
