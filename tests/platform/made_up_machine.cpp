#include "platform/made_up_machine.h"

#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <system_error>

namespace vantora::testing {
namespace fs = std::filesystem;
namespace {

void writeFile(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

// The kernel's three links to a device directory below sys/devices.
void linkDevice(const fs::path& sys, const std::string& pathBelowDevices, const std::string& name,
                const std::string& number, bool wholeDisk) {
  const fs::path classBlock = sys / "class" / "block";
  const fs::path devBlock = sys / "dev" / "block";
  fs::create_directories(classBlock);
  fs::create_directories(devBlock);
  fs::create_directory_symlink("../../devices/" + pathBelowDevices, classBlock / name);
  fs::create_directory_symlink("../../devices/" + pathBelowDevices, devBlock / number);
  if (wholeDisk) {
    fs::create_directories(sys / "block");
    fs::create_directory_symlink("../devices/" + pathBelowDevices, sys / "block" / name);
  }
}

}  // namespace

std::string mountinfoEscaped(const std::string& path) {
  std::string escaped;
  for (const char c : path) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
      char octal[5];
      std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(c));
      escaped += octal;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string udevEncoded(const std::string& label) {
  std::string encoded;
  for (const char c : label) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                       (byte > ' ' && byte < 0x7F && c != '\\' && c != '/' && c != '"' && c != '\'');
    if (plain) {
      encoded += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      encoded += hex;
    }
  }
  return encoded;
}

MadeUpMachine::MadeUpMachine() {
  std::string pattern = (fs::temp_directory_path() / "vantora-machine-XXXXXX").string();
  if (::mkdtemp(pattern.data())) base_ = pattern;
  fs::create_directories(base_ / "root" / "sys" / "block");
  fs::create_directories(base_ / "mnt");
}

MadeUpMachine::~MadeUpMachine() {
  std::error_code ignored;
  if (!base_.empty()) fs::remove_all(base_, ignored);
}

std::string MadeUpMachine::mountPointPath(const std::string& name) const { return (base_ / "mnt" / name).string(); }

std::string MadeUpMachine::makeMountPoint(const std::string& name) {
  const std::string directory = mountPointPath(name);
  fs::create_directories(directory);
  return directory;
}

std::string MadeUpMachine::addUsbStick(char letter, const std::string& fsType, const std::string& label) {
  const fs::path sys = base_ / "root" / "sys";
  const std::string disk = std::string("sd") + letter;
  const std::string partition = disk + "1";
  const int minor = 16 * (letter - 'a');
  const std::string diskNumber = "8:" + std::to_string(minor);
  const std::string partitionNumber = "8:" + std::to_string(minor + 1);
  const std::string diskPath = "pci0000:00/0000:00:14.0/usb2/2-" + std::to_string(minor) + "/block/" + disk;
  const std::string partitionPath = diskPath + "/" + partition;

  writeFile(sys / "devices" / diskPath / "dev", diskNumber + "\n");
  writeFile(sys / "devices" / diskPath / "removable", "1\n");
  writeFile(sys / "devices" / partitionPath / "dev", partitionNumber + "\n");
  writeFile(sys / "devices" / partitionPath / "partition", "1\n");
  linkDevice(sys, diskPath, disk, diskNumber, true);
  linkDevice(sys, partitionPath, partition, partitionNumber, false);
  writeFile(base_ / "root" / "run" / "udev" / "data" / ("b" + partitionNumber),
            "E:ID_FS_LABEL_ENC=" + udevEncoded(label) + "\nE:ID_FS_TYPE=" + fsType + "\nE:ID_FS_UUID=1234-ABCD\n");
  return partitionNumber;
}

void MadeUpMachine::addMount(const std::string& target, const std::string& fsType, const std::string& source,
                             const std::string& device) {
  const int id = nextMountId_++;
  const int parent = target == "/" ? 1 : 100;
  lines_.push_back(std::to_string(id) + " " + std::to_string(parent) + " " + device + " / " + mountinfoEscaped(target) +
                   " rw,relatime shared:" + std::to_string(id) + " - " + fsType + " " + source + " rw");
}

void MadeUpMachine::addRawLine(const std::string& line) { lines_.push_back(line); }

void MadeUpMachine::writeMountTable() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\n";
  writeFile(base_ / "root" / "proc" / "self" / "mountinfo", text);
}

}  // namespace vantora::testing
