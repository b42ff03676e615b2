#!/bin/sh
# A disk of 2 MiB for the test of saving a log onto a full disk.
#   small-disk.sh mount FOLDER      mounts a small memory file system on FOLDER
#   small-disk.sh unmount FOLDER    takes it away again
# Where mounting is not allowed nothing is mounted, and the test that needs it skips.
set -u
folder=$2
case $1 in
mount)
  mkdir -p "$folder"
  if ! mountpoint -q "$folder"; then
    mount -t tmpfs -o size=2m tessaly-small-disk "$folder" 2>/dev/null ||
      echo "small-disk: cannot mount a file system here; the full-disk test will skip"
  fi
  ;;
unmount)
  if mountpoint -q "$folder"; then
    umount "$folder"
  fi
  rmdir "$folder" 2>/dev/null
  ;;
esac
exit 0
