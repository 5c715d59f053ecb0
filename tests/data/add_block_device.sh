#!/bin/sh
# Adds one block device to a captured sysfs tree, with the links the kernel
# makes: /sys/block (disks), /sys/class/block and /sys/dev/block.
#
#   add_block_device.sh TREE DEVICE_PATH MAJOR:MINOR [removable] [scsi_type]
#
# DEVICE_PATH is the device's directory below sys/devices, as on a real
# machine; a partition's path ends in its disk's directory, e.g.
#   add_block_device.sh linux-desktop pci0000:00/0000:00:14.0/usb2/2-1/block/sdb 8:16 1
#   add_block_device.sh linux-desktop pci0000:00/0000:00:14.0/usb2/2-1/block/sdb/sdb1 8:17
set -eu
tree=$1 path=$2 number=$3 removable=${4:-0} scsi_type=${5:-}
dir="$tree/sys/devices/$path"
name=$(basename "$path")
mkdir -p "$dir" "$tree/sys/class/block" "$tree/sys/dev/block"
echo "$number" > "$dir/dev"
parent=$(basename "$(dirname "$path")")
if [ "$parent" = block ]; then
  mkdir -p "$tree/sys/block"
  echo "$removable" > "$dir/removable"
  ln -sfn "../devices/$path" "$tree/sys/block/$name"
  if [ -n "$scsi_type" ]; then
    mkdir -p "$dir/device"
    echo "$scsi_type" > "$dir/device/type"
  fi
else
  echo "${name##*[!0-9]}" > "$dir/partition"
fi
ln -sfn "../../devices/$path" "$tree/sys/class/block/$name"
ln -sfn "../../devices/$path" "$tree/sys/dev/block/$number"
