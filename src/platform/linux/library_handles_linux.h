#pragma once
// Owning pointers for the libmount, libblkid and stdio objects we use, so
// every early return releases them.

#include <blkid/blkid.h>
#include <libmount/libmount.h>

#include <cstdio>
#include <memory>
#include <type_traits>

namespace vantora::linux_backend {

template <auto Release>
struct CallRelease {
  template <typename T>
  void operator()(T* object) const {
    Release(object);
  }
};

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, CloseFile>;
using MountTablePtr = std::unique_ptr<libmnt_table, CallRelease<mnt_unref_table>>;
using MountIterPtr = std::unique_ptr<libmnt_iter, CallRelease<mnt_free_iter>>;
using BlkidProbePtr = std::unique_ptr<std::remove_pointer_t<blkid_probe>, CallRelease<blkid_free_probe>>;

}  // namespace vantora::linux_backend
