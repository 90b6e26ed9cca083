#!/bin/sh
# Runs a command on an X server of its own with a screen of $1 (WIDTHxHEIGHT) and the openbox
# window manager, which frames the windows as a desktop does; its exit status is the command's.
screen=$1
shift
exec xvfb-run -a -s "-screen 0 ${screen}x24" sh -c '
    openbox >/dev/null 2>&1 &
    manager=$!
    sleep 1
    "$@"
    status=$?
    kill $manager
    exit $status' sh "$@"
