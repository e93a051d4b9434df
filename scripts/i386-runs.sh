#!/usr/bin/env bash
# Succeeds when this kernel executes 32-bit x86 programs, so Wine's 32-bit loader can start.
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version > /dev/null 2>&1
