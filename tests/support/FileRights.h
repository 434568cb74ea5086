#pragma once

// While alive, the calling thread runs without the administrator's right to
// pass over file permissions, so that another user's 0600 object is refused
// to a test run as root just as it is to any other user. Without that right
// to begin with, it changes nothing.
class WithoutFileOverride {
 public:
  WithoutFileOverride();
  ~WithoutFileOverride();
  WithoutFileOverride(const WithoutFileOverride&) = delete;
  WithoutFileOverride& operator=(const WithoutFileOverride&) = delete;

 private:
  unsigned saved_[6] = {};
  bool changed_ = false;
};

// A user id that is not this process's, for files "of another user"
// (nobody); chown to it needs the administrator's rights.
constexpr unsigned kOtherUser = 65534;
