#include "support/file_attributes.h"

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

#include "support/file_system.h"

namespace mervanta {

namespace {

bool Unsupported(int error) {
  return error == ENOTSUP || error == EOPNOTSUPP;
}

// The names of the attributes, read through `list` (a path's or a descriptor's); false when
// they cannot be read. A file system without attributes has none.
template <class TList>
bool AttributeNames(const TList& list, std::vector<std::string>& names) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ssize_t size = list(nullptr, 0);
    if (size < 0) return Unsupported(errno);
    std::string buffer(static_cast<std::size_t>(size), '\0');
    const ssize_t got = list(buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == ERANGE) continue;  // grew meanwhile
      return false;
    }
    buffer.resize(static_cast<std::size_t>(got));
    names.clear();
    for (std::size_t start = 0; start < buffer.size();) {
      const std::size_t end = buffer.find('\0', start);
      names.emplace_back(buffer, start, end - start);
      start = end + 1;
    }
    return true;
  }
  return false;
}

template <class TGet>
bool AttributeValue(const TGet& get, std::string& value) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ssize_t size = get(nullptr, 0);
    if (size < 0) return false;
    value.assign(static_cast<std::size_t>(size), '\0');
    const ssize_t got = get(value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<std::size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
  return false;
}

bool GiveOwner(const struct stat& old, int fd) {
  struct stat made {};
  if (::fstat(fd, &made) != 0) return false;
  if (made.st_uid == old.st_uid && made.st_gid == old.st_gid) return true;
  return sys::ChangeOwner(fd, old.st_uid, old.st_gid) == 0;
}

bool GiveExtendedAttributes(const std::string& path, int fd) {
  std::vector<std::string> oldNames, newNames;
  if (!AttributeNames(
          [&](char* names, std::size_t size) {
            return sys::ListAttributes(path.c_str(), names, size);
          },
          oldNames) ||
      !AttributeNames(
          [fd](char* names, std::size_t size) { return sys::ListAttributes(fd, names, size); },
          newNames)) {
    return false;
  }
  std::string value, present;
  for (const std::string& name : oldNames) {
    if (!AttributeValue(
            [&](void* data, std::size_t size) {
              return sys::GetAttribute(path.c_str(), name.c_str(), data, size);
            },
            value)) {
      return false;
    }
    // A value the new file got already (a security label) is not set again: that may need
    // a permission that keeping it does not.
    const bool same = std::find(newNames.begin(), newNames.end(), name) != newNames.end() &&
                      AttributeValue(
                          [&](void* data, std::size_t size) {
                            return sys::GetAttribute(fd, name.c_str(), data, size);
                          },
                          present) &&
                      present == value;
    if (!same && sys::SetAttribute(fd, name.c_str(), value.data(), value.size()) != 0) {
      return false;
    }
  }
  for (const std::string& name : newNames) {
    if (std::find(oldNames.begin(), oldNames.end(), name) == oldNames.end() &&
        sys::RemoveAttribute(fd, name.c_str()) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool GiveAttributes(const std::string& path, const struct stat& old, int fd) {
  return GiveOwner(old, fd) && GiveExtendedAttributes(path, fd);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace mervanta
