#!/usr/bin/env bash
# node.sh PROGRAM.js [ARGS]: runs a program of the web build under node, as a command-line program.
exec node --no-experimental-fetch --stack-size=4096 "$@"
