# Sourced by the scripts that run Wine. Wine turns Unix file names into Windows ones through the
# locale's character set: under the POSIX locale (a bare environment, a minimal container) it
# cannot open a folder named in another script. When the caller's locale is not a UTF-8 one,
# what follows runs under C.UTF-8, which every Debian system has.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi
