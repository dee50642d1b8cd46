# What both packaging scripts share, sourced by them: the one time every
# archive entry carries, and the checksum file published beside an archive.

# Prints the time of the commit being built (or $SOURCE_DATE_EPOCH when the
# caller sets one), so that two builds of one commit pack the same bytes.
source_date_epoch() {
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
  elif git -C "$1" rev-parse --git-dir >/dev/null 2>&1; then
    git -C "$1" log -1 --format=%ct
  else
    # Sources unpacked from an archive: the time it gave CMakeLists.txt.
    echo "no git history in $1: dating the archives by CMakeLists.txt" >&2
    stat -c %Y "$1/CMakeLists.txt"
  fi
}

# Writes SHA256SUMS beside ARCHIVE, naming it without its folder, so that
# `sha256sum -c SHA256SUMS` checks it in the folder it was downloaded to.
write_sums() {
  (cd "$(dirname "$1")" && sha256sum "$(basename "$1")" >SHA256SUMS)
}
