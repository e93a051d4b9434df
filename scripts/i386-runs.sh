#!/usr/bin/env bash
# Succeeds when this kernel itself executes 32-bit x86 programs (not through qemu).
set -u
[ -x /usr/lib/wine/wine ] || exit 1
handler=/proc/sys/fs/binfmt_misc/quorvel-i386
was_on=0
if [ -e "$handler" ] && grep -qx enabled "$handler"; then was_on=1; echo 0 > "$handler"; fi
/usr/lib/wine/wine --version > /dev/null 2>&1
rc=$?
[ "$was_on" = 1 ] && echo 1 > "$handler"
exit $rc
