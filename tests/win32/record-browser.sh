#!/bin/sh
# Stands in for the browser in the test prefix: notes every address it is asked to open.
printf '%s\n' "$@" >> "$(dirname "$0")/browser-calls.txt"
